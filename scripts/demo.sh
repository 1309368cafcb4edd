#!/usr/bin/env bash
# Sets up, builds the native module and the command-line host, and renders
# the built-in demo phrase through the reverb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh native
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)"
if [ -x build/native/tools/brellivaunt-host ]; then
  exec build/native/tools/brellivaunt-host --demo "$@"
fi
echo "the command-line host is not built yet; running the tests of what exists"
exec ctest --preset native
