#!/usr/bin/env bash
# The command-line host shows the panel in an X window; xdotool drags the
# first knob up (press, pauses, moves, release) and clicks the power lamp.
# The printed edits must follow the straight law, which knobs in an X window
# take with no knob mode set, the window must show exactly the headless
# picture of the same settings, and destroying the window (before the panel
# is closed) must end the host cleanly. With --circular-knobs the same drag
# straight up from the knob's centre turns it to the top of its sweep, 0.5.
# Usage: editor-drive.sh HOST X11_GRAB. Exits 77 (skipped) without a display, unless BRV_REQUIRE_DISPLAY is set.
set -euo pipefail
host=$1 grab=$2
if [ -z "${DISPLAY:-}" ]; then
  echo "no display"
  [ -n "${BRV_REQUIRE_DISPLAY:-}" ] && exit 1
  exit 77
fi
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# Starts the host's panel with the given options and waits until it shows.
open_panel() {
  "$host" --editor "$@" --set 7=0 >"$dir/log" 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    grep -q '^panel open at' "$dir/log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q '^panel open at' "$dir/log" || { cat "$dir/log"; exit 1; }
  read -r x y < <(sed -n 's/^panel open at \([0-9-]*\) \([0-9-]*\),.*/\1 \2/p' "$dir/log")
  window=$(xdotool search --name '^Brellivaunt$' | head -n 1)
}

# Presses on the first knob's centre and drags it 40 pixels up.
drag_first_knob_up() {
  sleep 0.3
  xdotool mousemove $((x + 73)) $((y + 132))
  sleep 0.2
  xdotool mousedown 1
  sleep 0.3
  for step in 1 2 3 4; do
    xdotool mousemove $((x + 73)) $((y + 132 - 10 * step))
    sleep 0.15
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
}

status=0
open_panel --circular-knobs
drag_first_knob_up
xdotool windowclose "$window"
wait "$pid" || status=1
last=$(grep -E '^value 0 ' "$dir/log" | tail -n 1)
[ "$last" = "value 0 0.500000" ] || { cat "$dir/log"; echo "--circular-knobs did not turn the knob by its angle"; status=1; }

open_panel
drag_first_knob_up
xdotool mousemove $((x + 37)) $((y + 30)) click 1
sleep 0.6

"$host" --panel "$dir/expected.png" --set 0=0.7 --set 7=1 >/dev/null
"$grab" "$window" "$dir/expected.png" || status=1
xdotool windowclose "$window"
wait "$pid" || status=1
cat "$dir/log"

want=$'begin 0\nvalue 0 0.550000\nvalue 0 0.600000\nvalue 0 0.650000\nvalue 0 0.700000\nend 0\nbegin 7\nvalue 7 1.000000\nend 7'
got=$(grep -E '^(begin|value|end) ' "$dir/log")
[ "$got" = "$want" ] || { echo "the edits printed are not the drag and the click"; status=1; }
grep -q '^panel closed' "$dir/log" || status=1
exit "$status"
