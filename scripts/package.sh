#!/usr/bin/env bash
# Builds the release archive: the Linux module and command-line host, both
# Windows modules, the factory presets and the user guide, in build/package/brellivaunt-VERSION.tar.gz.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh all
jobs=$(nproc)
for preset in native mingw64 mingw32; do
  cmake --preset "$preset" >/dev/null
done
cmake --build --preset native -j "$jobs" --target brellivaunt brellivaunt-host brv_vst2_presets
cmake --build --preset mingw64 -j "$jobs" --target brellivaunt
cmake --build --preset mingw32 -j "$jobs" --target brellivaunt

version=$(sed -n 's/^project(Brellivaunt VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="brellivaunt-$version"
stage="build/package/$name"
rm -rf build/package
mkdir -p "$stage/linux-x86_64" "$stage/windows-64-bit" "$stage/windows-32-bit" "$stage/presets"
install -m 644 build/native/module/Brellivaunt.so "$stage/linux-x86_64/"
install -m 755 build/native/tools/brellivaunt-host "$stage/linux-x86_64/"
strip --strip-unneeded "$stage/linux-x86_64/Brellivaunt.so" "$stage/linux-x86_64/brellivaunt-host"
install -m 644 build/mingw64/module/Brellivaunt.dll "$stage/windows-64-bit/"
install -m 644 build/mingw32/module/Brellivaunt.dll "$stage/windows-32-bit/"
x86_64-w64-mingw32-strip --strip-unneeded "$stage/windows-64-bit/Brellivaunt.dll"
i686-w64-mingw32-strip --strip-unneeded "$stage/windows-32-bit/Brellivaunt.dll"
install -m 644 docs/USER-GUIDE.md docs/panel.png "$stage/"
# The factory presets for every host and system: the same bytes everywhere.
install -m 644 build/native/presets/vst2/*.fxp build/native/presets/vst2/*.fxb "$stage/presets/"
tar -C build/package -czf "build/package/$name.tar.gz" "$name"
echo "wrote build/package/$name.tar.gz"
tar -tzvf "build/package/$name.tar.gz"
