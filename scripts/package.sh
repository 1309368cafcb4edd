#!/usr/bin/env bash
# Builds the release archive: the Linux module, LV2 bundle and command-line
# host, both Windows modules, the factory presets, the README, the licence
# and the user guide, in build/package/brellivaunt-VERSION.tar.gz.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh all
jobs=$(nproc)
for preset in native mingw64 mingw32; do
  cmake --preset "$preset" >/dev/null
done
cmake --build --preset native -j "$jobs" --target brellivaunt brellivaunt_lv2 brellivaunt-host brv_vst2_presets
cmake --build --preset mingw64 -j "$jobs" --target brellivaunt
cmake --build --preset mingw32 -j "$jobs" --target brellivaunt

version=$(sed -n 's/^project(Brellivaunt VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="brellivaunt-$version"
stage="build/package/$name"
rm -rf build/package
mkdir -p "$stage/linux-x86_64" "$stage/windows-64-bit" "$stage/windows-32-bit" "$stage/presets"
install -m 644 build/native/module/Brellivaunt.so "$stage/linux-x86_64/"
install -m 755 build/native/programs/brellivaunt-host "$stage/linux-x86_64/"
strip --strip-unneeded "$stage/linux-x86_64/Brellivaunt.so" "$stage/linux-x86_64/brellivaunt-host"
# The LV2 bundle: both binaries and the Turtle written at build time.
cp -r build/native/lv2-path/Brellivaunt.lv2 "$stage/linux-x86_64/"
strip --strip-unneeded "$stage/linux-x86_64/Brellivaunt.lv2/"*.so
install -m 644 build/mingw64/module/Brellivaunt.dll "$stage/windows-64-bit/"
install -m 644 build/mingw32/module/Brellivaunt.dll "$stage/windows-32-bit/"
x86_64-w64-mingw32-strip --strip-unneeded "$stage/windows-64-bit/Brellivaunt.dll"
i686-w64-mingw32-strip --strip-unneeded "$stage/windows-32-bit/Brellivaunt.dll"
install -m 644 docs/USER-GUIDE.md docs/panel.png LICENSE "$stage/"
# The source tree's README is about building and testing; the archive's
# says what is in it and where to read on.
cat > "$stage/README" <<README
Brellivaunt $version, a stereo reverb plug-in for VST 2 hosts, by Tarnwick Research.

  linux-x86_64/Brellivaunt.so      the plug-in for 64-bit Linux hosts
  linux-x86_64/brellivaunt-host    renders audio files through it from a terminal
  windows-64-bit/Brellivaunt.dll   the plug-in for 64-bit Windows hosts
  windows-32-bit/Brellivaunt.dll   the plug-in for 32-bit Windows hosts
  USER-GUIDE.md                    installing, what the Linux files need, the
                                   controls, the command-line host, the limits
  presets/                         the factory presets as VST 2 program and bank files
  LICENSE                          MIT licence

Copy the plug-in into a folder your host scans (~/.vst on Linux) and rescan.
USER-GUIDE.md says where each host looks and what every control does.
README
chmod 644 "$stage/README"
# The factory presets for every host and system: the same bytes everywhere.
install -m 644 build/native/presets/vst2/*.fxp build/native/presets/vst2/*.fxb "$stage/presets/"
tar -C build/package -czf "build/package/$name.tar.gz" "$name"
echo "wrote build/package/$name.tar.gz"
tar -tzvf "build/package/$name.tar.gz"
