#!/usr/bin/env bash
# Measures every factory preset with the command-line host and writes what
# it measures into the README, between the preset-table markers: first
# arrival, EDT and T30 of both channels, the tail's left/right correlation.
# Also draws every preset's decay curves into docs/presets-decay.png, in the
# table's order, and writes one preset's T30 per octave band at five sample
# rates into docs/USER-GUIDE.md, between the rate-table markers. Never edit
# the tables by hand: change presets/presets.txt, then run this (tests hold
# the README's table to what the presets measure, and every preset's room
# to what it is at 44.1 kHz).
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

# One room at the usual rates: the left channel's T30 of each band, a
# column per rate.
rated="Medium Hall"
rates=(44100 48000 88200 96000 192000)
columns=()
for rate in "${rates[@]}"; do
  "$host" --quiet --analyze --preset "$rated" --rate "$rate" |
    awk '/^(full band|[0-9]+ k?Hz) / { band = $1; for (i = 2; i <= NF - 6; ++i) band = band " " $i; print band "\t" $(NF - 3) }' \
      >"$work/rate-$rate.tsv"
  columns+=("$work/rate-$rate.tsv")
done
rateRows="$work/rates.md"
awk -F'\t' -v rated="$rated" -v rates="${rates[*]}" '
  FNR == 1 { ++column }
  column == 1 { band[FNR] = $1; bands = FNR }
  { t30[column, FNR] = $2 }
  END {
    n = split(rates, r, " ")
    printf "| %s, T30 left (s) |", rated
    for (k = 1; k <= n; ++k) printf " %g kHz |", r[k] / 1000
    printf "\n|---|"
    for (k = 1; k <= n; ++k) printf "---|"
    printf "\n"
    for (b = 1; b <= bands; ++b) {
      printf "| %s |", band[b]
      for (k = 1; k <= n; ++k) printf " %s |", t30[k, b]
      printf "\n"
    }
  }' "${columns[@]}" >"$rateRows"

# Puts the rows of file $3 into file $1 between its $2 markers.
fill() {
  awk -v rows="$3" -v begin="<!-- $2:begin -->" -v end="<!-- $2:end -->" '
    $0 == begin { print; while ((getline line < rows) > 0) print line; skip = 1; next }
    $0 == end { skip = 0 }
    !skip { print }
  ' "$1" >"$work/filled"
  grep -qx "<!-- $2:end -->" "$work/filled" || { echo "$1 has no $2 markers" >&2; exit 1; }
  cp "$work/filled" "$1"
}
fill README.md preset-table "$rows"
fill docs/USER-GUIDE.md rate-table "$rateRows"
echo "measured $number presets: README.md table, docs/presets-decay.png; $rated at ${#rates[@]} rates: docs/USER-GUIDE.md"
