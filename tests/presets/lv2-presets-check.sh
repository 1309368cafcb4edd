#!/usr/bin/env bash
# Reads every LV2 preset file and the manifest lines naming them with the
# RDF library's own reader, as a host would: each preset applies to the
# reverb, has a label and the eight ports other than dry_wet (so loading one
# keeps the user's mix), and the manifest names each file that is there.
# Usage: lv2-presets-check.sh SORDI DIR
set -euo pipefail
sordi=$1 dir=$2
base="file://$(cd "$dir" && pwd)/"
pset=http://lv2plug.in/ns/ext/presets#
lv2=http://lv2plug.in/ns/lv2core#
faults=0
fault() { echo "$1"; faults=$((faults + 1)); }
count=0
for file in "$dir"/*.ttl; do
  name=$(basename "$file")
  [ "$name" = presets.manifest.ttl ] && continue
  count=$((count + 1))
  triples=$("$sordi" -i turtle -o ntriples "$file" "$base$name" 2>&1) || { fault "$name: $triples"; continue; }
  grep -q "<${pset}Preset> \.$" <<<"$triples" || fault "$name: no pset:Preset"
  grep -q "<${lv2}appliesTo> <urn:brellivaunt:reverb> \.$" <<<"$triples" || fault "$name: does not apply to the reverb"
  grep -q '<http://www.w3.org/2000/01/rdf-schema#label> "[^"]\+" \.$' <<<"$triples" || fault "$name: no label"
  values=$(grep -c "<${pset}value> " <<<"$triples" || true)
  [ "$values" = 8 ] || fault "$name: $values port values, not 8"
  for symbol in early_size late_size damping diffusion early_late volume power mono; do
    grep -q "<${lv2}symbol> \"$symbol\" \.$" <<<"$triples" || fault "$name: no port $symbol"
  done
  ! grep -q '"dry_wet"' <<<"$triples" || fault "$name: sets dry_wet"
done
manifest=$("$sordi" -i turtle -o ntriples "$dir/presets.manifest.ttl" "${base}manifest.ttl" 2>&1) ||
  fault "presets.manifest.ttl: $manifest"
named=$(grep -c "<http://www.w3.org/2000/01/rdf-schema#seeAlso>" <<<"$manifest" || true)
[ "$named" = "$count" ] || fault "the manifest names $named presets, $count files are there"
for seen in $(grep -o "seeAlso> <[^>]*>" <<<"$manifest" | sed 's/.*<\(.*\)>/\1/'); do
  [ -f "${seen#file://}" ] || fault "the manifest names $seen, which is not there"
done
[ "$count" -ge 16 ] || fault "only $count presets"
[ "$faults" = 0 ] || exit 1
echo "$count LV2 presets read, each with 8 ports and no dry_wet"
