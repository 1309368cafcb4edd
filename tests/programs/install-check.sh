#!/usr/bin/env bash
# Installs the build into a temporary system-like prefix and into a
# temporary user's home, and checks that each installed host finds the module
# installed with it (and that BRELLIVAUNT_MODULE overrides that).
# Usage: install-check.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1 build=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
unset BRELLIVAUNT_MODULE

HOME="$dir/nobody" "$cmake" --install "$build" --prefix "$dir/usr" >/dev/null
test -f "$dir/usr/lib/vst/Brellivaunt.so"
test -f "$dir/usr/share/brellivaunt/presets/Brellivaunt Factory.fxb"
test -f "$dir/usr/share/brellivaunt/presets/Large Hall.fxp"
HOME="$dir/nobody" "$dir/usr/bin/brellivaunt-host" --demo --tail 0.2 --quiet -o "$dir/demo.wav"
test -s "$dir/demo.wav"

HOME="$dir/home" "$cmake" --install "$build" --prefix "$dir/home/.local" >/dev/null
test -f "$dir/home/.vst/Brellivaunt.so"
test ! -e "$dir/home/.local/lib/vst"
HOME="$dir/home" "$dir/home/.local/bin/brellivaunt-host" --info | grep -q '^effect   Tarnwick Research Brellivaunt R 1.0$'

# A home whose name reads as a pattern ('+', '(') and is given with a
# trailing slash is still the home the prefix lies in.
odd="$dir/odd+home (2)"
HOME="$odd/" "$cmake" --install "$build" --prefix "$odd/.local" >/dev/null
test -f "$odd/.vst/Brellivaunt.so"
test ! -e "$odd/.local/lib/vst"
# A prefix that only starts with the home's name is not inside it.
HOME="$dir/home" "$cmake" --install "$build" --prefix "$dir/home2" >/dev/null
test -f "$dir/home2/lib/vst/Brellivaunt.so"

if BRELLIVAUNT_MODULE="$dir/elsewhere.so" "$dir/usr/bin/brellivaunt-host" --info 2>"$dir/error"; then
  echo "a module named by BRELLIVAUNT_MODULE that does not exist was not refused"
  exit 1
fi
grep -q "$dir/elsewhere.so" "$dir/error"
echo "installed and found: $dir/usr/lib/vst, $dir/home/.vst"
