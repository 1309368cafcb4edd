#!/usr/bin/env bash
# Runs the Windows panel check under wine and plays a real mouse drag on its
# knob through the X server: press, short pauses, a few moves, release. A
# click that is over before the press is handled would not drag, so each
# step waits a little.
# Usage: panel-drive.sh [--wine WINE_RUN] PANEL_CHECK MODULE PICTURE
# Exits 77 (skipped) without a display, unless BRV_REQUIRE_DISPLAY is set.
set -euo pipefail
runner=()
if [ "$1" = --wine ]; then runner=("$2"); shift 2; fi
exe=$1 module=$2 picture=$3
if [ -z "${DISPLAY:-}" ]; then
  echo "no display"
  [ -n "${BRV_REQUIRE_DISPLAY:-}" ] && exit 1
  exit 77
fi
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"${runner[@]}" "$exe" "$module" --drive "$picture" >"$log" 2>&1 &
pid=$!
for _ in $(seq 1 600); do
  grep -q '^READY' "$log" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q '^READY' "$log"; then cat "$log"; wait "$pid" || true; exit 1; fi
read -r x y rise < <(grep '^READY' "$log" | head -n 1 | tr -d '\r' | cut -d' ' -f2-)
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousedown 1
sleep 0.4
for step in 1 2 3 4; do
  xdotool mousemove "$x" $((y - rise * step / 4))
  sleep 0.15
done
sleep 0.4
xdotool mouseup 1
status=0
wait "$pid" || status=$?
cat "$log"
exit "$status"
