#!/usr/bin/env bash
# Measures every factory preset with the command-line host and writes what
# it measures into the README, between the preset-table markers: first
# arrival, EDT and T30 of both channels, the tail's left/right correlation.
# Also draws every preset's decay curves into docs/presets-decay.png, in the
# table's order. Never edit the table by hand: change presets/presets.txt,
# then run this (a test holds the table to what the presets measure).
# Usage: bash scripts/preset-table.sh   (after cmake --preset native)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset native -j2 --target brellivaunt-host decay_montage >/dev/null
host=build/native/programs/brellivaunt-host
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Early-Late from the source: 0 is early reflections alone, 1 the tail alone.
balance() {
  awk -F'|' -v name="$1" '!/^#/ && NF > 1 { n = $1; gsub(/^ +| +$/, "", n); if (n == name) { split($2, v, " "); print v[5] } }' presets/presets.txt
}

rows="$work/rows.md"
{
  echo "| Preset | Early-Late | first arrival L / R (ms) | EDT L / R (s) | T30 left (s) | T30 right (s) | tail correlation |"
  echo "|---|---|---|---|---|---|---|"
} >"$rows"
pictures=()
number=0
while read -r index name; do
  picture=$(printf '%s/%02d.png' "$work" "$number")
  report=$("$host" --quiet --analyze --preset "$name" --plot "$picture")
  pictures+=("$picture")
  number=$((number + 1))
  awk -v name="$name" -v balance="$(balance "$name")" '
    /^first arrival/ { left = $5; right = $8 }
    /^tail correlation/ { corr = $6 }
    /^full band/ { edt = $3 " / " $6; t30l = $5; t30r = $8 }
    END { printf "| %s | %s | %s / %s | %s | %s | %s | %s |\n", name, balance, left, right, edt, t30l, t30r, corr }
  ' <<<"$report" >>"$rows"
done < <("$host" --list-presets)

build/native/programs/decay_montage docs/presets-decay.png 3 2 "${pictures[@]}"

awk -v rows="$rows" '
  /<!-- preset-table:begin -->/ { print; while ((getline line < rows) > 0) print line; skip = 1; next }
  /<!-- preset-table:end -->/ { skip = 0 }
  !skip { print }
' README.md >"$work/README.md"
grep -q '<!-- preset-table:end -->' "$work/README.md" || { echo "README.md has no preset-table markers" >&2; exit 1; }
cp "$work/README.md" README.md
echo "measured $number presets: README.md table, docs/presets-decay.png"
