#!/usr/bin/env bash
# Sets up, builds the native module and the command-line host, and renders
# the built-in demo phrase through the reverb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh native
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)"
# Extra arguments go to the host, e.g. --set Damping=0.8 or --tail 8.
# A longer decay than the default so the tail is clearly heard.
exec build/native/programs/brellivaunt-host --demo --set Damping=0.65 -o build/brellivaunt-demo.wav "$@"
