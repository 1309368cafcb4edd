#!/usr/bin/env bash
# Runs a panel check that opens the panel in a real window (natively, or the
# Windows build under wine) and plays each pointer action it asks for
# through the X server: a line "XDOTOOL ARGS" is `xdotool ARGS`, run once
# and in order, with a pause after it, so that a press is handled before the
# pointer moves on and a drag is a drag.
# Usage: panel-drive.sh [--wine WINE_RUN] PANEL_CHECK MODULE --drive|--rooms PICTURE
# Exits 77 (skipped) without a display, unless BRV_REQUIRE_DISPLAY is set.
set -euo pipefail
runner=()
if [ "$1" = --wine ]; then runner=("$2"); shift 2; fi
exe=$1 module=$2 mode=$3 picture=$4
if [ -z "${DISPLAY:-}" ]; then
  echo "no display"
  [ -n "${BRV_REQUIRE_DISPLAY:-}" ] && exit 1
  exit 77
fi
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"${runner[@]}" "$exe" "$module" "$mode" "$picture" >"$log" 2>&1 &
pid=$!
played=0
while kill -0 "$pid" 2>/dev/null; do
  mapfile -t actions < <(grep '^XDOTOOL ' "$log" | tr -d '\r' | cut -d' ' -f2-)
  while [ "$played" -lt "${#actions[@]}" ]; do
    # Word splitting makes the line xdotool's arguments.
    # shellcheck disable=SC2086
    xdotool ${actions[$played]}
    played=$((played + 1))
    sleep 0.3
  done
  sleep 0.1
done
status=0
wait "$pid" || status=$?
grep -v '^XDOTOOL ' "$log"
exit "$status"
