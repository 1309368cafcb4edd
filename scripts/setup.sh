#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: scripts/setup.sh native|all
set -euo pipefail
want=(cmake ninja-build g++ pkg-config libgtest-dev googletest libbenchmark-dev
      libsndfile1-dev libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-liberation2
      fonts-lato libxcb1-dev libxcb-shm0-dev clang-format lv2-dev liblilv-dev lilv-utils sordi)
if [ "${1:-all}" = all ]; then
  want+=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 libz-mingw-w64-dev wine64 wine xvfb xauth xdotool clang libfuzzer-14-dev)
fi
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
