#!/usr/bin/env bash
# Sets up, builds what the demo and an installation need (the VST 2 module,
# the LV2 bundle, the command-line host and the preset files; no tests, no
# benchmarks), and renders the built-in demo phrase through the reverb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh native
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" \
  --target brellivaunt brellivaunt_lv2 brellivaunt-host brv_vst2_presets
# Extra arguments go to the host, e.g. --set Damping=0.8 or --tail 8.
# A longer decay than the default so the tail is clearly heard.
exec build/native/programs/brellivaunt-host --demo --set Damping=0.65 -o build/brellivaunt-demo.wav "$@"
