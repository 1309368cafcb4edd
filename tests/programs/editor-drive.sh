#!/usr/bin/env bash
# The command-line host shows the panel in an X window; xdotool drags the
# first knob up (press, pauses, moves, release) and clicks the power lamp.
# The printed edits must follow the straight law, which knobs in an X window
# take with no knob mode set, the window must show exactly the headless
# picture of the same settings, and destroying the window (before the panel
# is closed) must end the host cleanly. With --circular-knobs the same drag
# straight up from the knob's centre turns it to the top of its sweep, 0.5.
# Then the room selector: its next arrow from the defaults applies the first
# factory preset (every parameter but Dry-Wet, each bracketed), whose name
# the window shows; the first knob dragged off the room and back takes the
# name away and brings it back; the list, opened by a click on the name,
# applies the room clicked in it, and Escape or a click outside closes it
# with nothing changed. Each step's window is the headless picture of the
# same settings.
# Usage: editor-drive.sh HOST X11_GRAB PRESETS.TXT. Exits 77 (skipped) without a display, unless BRV_REQUIRE_DISPLAY is set.
set -euo pipefail
host=$1 grab=$2 presets=$3
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

# Presses on the first knob's centre and drags it 40 pixels up (or with
# -1, down).
drag_first_knob_up() {
  local sign=${1:-1}
  sleep 0.3
  xdotool mousemove $((x + 73)) $((y + 132))
  sleep 0.2
  xdotool mousedown 1
  sleep 0.3
  for step in 1 2 3 4; do
    xdotool mousemove $((x + 73)) $((y + 132 - sign * 10 * step))
    sleep 0.15
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
}

click_at() {
  xdotool mousemove $((x + $1)) $((y + $2))
  sleep 0.2
  xdotool click 1
  sleep 0.5
}

# The window against the headless picture of the given settings.
shows() {
  "$host" --panel "$dir/expected.png" "$@" >/dev/null
  "$grab" "$window" "$dir/expected.png" || { echo "the window is not the picture of: $*"; status=1; }
}

# The list open over the panel: the window is not the picture.
list_shows() {
  "$host" --panel "$dir/expected.png" "$@" >/dev/null
  if "$grab" "$window" "$dir/expected.png" >/dev/null; then
    echo "no list over the picture of: $*"
    status=1
  fi
}

# The edits a factory preset makes, as the host prints them: every
# parameter but Dry-Wet (5), in order, the reverb switched on.
room_edits() {
  awk -F'|' -v name="$1" '!/^#/ && NF > 1 {
      n = $1; gsub(/^ +| +$/, "", n); if (n != name) next
      split($2, v, " ")
      for (i = 0; i < 9; i++) {
        if (i == 5) continue
        value = i == 7 ? 1 : v[i + 1]
        printf "begin %d\nvalue %d %.6f\nend %d\n", i, i, value, i
      }
    }' "$presets"
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

first=$(awk -F'|' '!/^#/ && NF > 1 { n = $1; gsub(/^ +| +$/, "", n); print n; exit }' "$presets")
early=$(awk -F'|' '!/^#/ && NF > 1 { split($2, v, " "); print v[1]; exit }' "$presets")
open_panel
sleep 0.3
click_at 518 74
shows --preset "$first"
drag_first_knob_up
shows --preset "$first" --set 0="$(awk -v e="$early" 'BEGIN { print e + 0.2 }')"
drag_first_knob_up -1
shows --preset "$first"
click_at 440 74
list_shows --preset "$first"
click_at 333 188
shows --preset "Large Hall"
click_at 440 74
list_shows --preset "Large Hall"
xdotool windowfocus "$window" key Escape
sleep 0.5
shows --preset "Large Hall"
click_at 440 74
list_shows --preset "Large Hall"
click_at 100 180
shows --preset "Large Hall"
xdotool windowclose "$window"
wait "$pid" || status=1

edits=$(grep -E '^(begin|value|end) ' "$dir/log")
count=$(printf '%s\n' "$edits" | wc -l)
want_first=$(room_edits "$first")
want_hall=$(room_edits "Large Hall")
[ "$(printf '%s\n' "$edits" | head -n 24)" = "$want_first" ] ||
  { cat "$dir/log"; echo "the next arrow did not apply $first"; status=1; }
[ "$(printf '%s\n' "$edits" | tail -n 24)" = "$want_hall" ] ||
  { cat "$dir/log"; echo "the list did not apply Large Hall"; status=1; }
# The two rooms, the drag up and the drag down (a bracket and four values
# each), and nothing from the list's Escape or the click outside it.
[ "$count" -eq 60 ] || { cat "$dir/log"; echo "$count edits where 60 were due"; status=1; }
exit "$status"
