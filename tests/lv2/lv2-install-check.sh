#!/usr/bin/env bash
# Installs the build into a temporary system-like prefix and into a
# temporary user's home, and checks that an LV2 host looking where Linux
# hosts look finds the reverb and its panel in each installed bundle.
# Usage: lv2-install-check.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1 build=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

found() {
  LV2_PATH="$1" lv2info urn:brellivaunt:reverb >"$dir/info" 2>&1 || { cat "$dir/info"; return 1; }
  grep -q 'Name: *Brellivaunt$' "$dir/info"
  grep -q 'Binary: *file://.*/Brellivaunt.lv2/brellivaunt-ui.so$' "$dir/info"
}

HOME="$dir/home" "$cmake" --install "$build" --prefix "$dir/usr" >/dev/null
found "$dir/usr/lib/lv2"
test ! -e "$dir/home/.lv2"

HOME="$dir/home" "$cmake" --install "$build" --prefix "$dir/home/.local" >/dev/null
found "$dir/home/.lv2"
test ! -e "$dir/home/.local/lib/lv2"

# A prefix beside the home whose name only begins like it is no home prefix.
HOME="$dir/home" "$cmake" --install "$build" --prefix "$dir/homestead" >/dev/null
found "$dir/homestead/lib/lv2"
echo "installed and found: $dir/usr/lib/lv2, $dir/home/.lv2, $dir/homestead/lib/lv2"
