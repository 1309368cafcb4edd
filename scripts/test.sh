#!/usr/bin/env bash
# Sets up, builds the three targets and runs every test: native, native
# under ASan+UBSan, the thread tests under ThreadSanitizer, the dispatcher
# fuzzer for a minute, and the Windows x86_64 tests under wine, each test run
# on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh all
jobs=$(nproc)
start=$(date +%s)
step() { echo "== $* ($(( $(date +%s) - start )) s)"; }

step "layers and format"
cmake -P scripts/check-layers.cmake
# Every C++ file as .clang-format has it; a difference fails the run.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

step "native build"
cmake --preset native -DBRV_WERROR=ON >/dev/null
cmake --build --preset native -j "$jobs"
# The panel's X11 tests need a display: each test run gets a virtual one,
# and a test that finds none fails here instead of being skipped.
display=(xvfb-run -a -s "-screen 0 1600x1200x24 -noreset")
export BRV_REQUIRE_DISPLAY=1
step "native tests"
"${display[@]}" ctest --preset native -j "$jobs"
step "LV2 bundle validation"
lv2_validate build/native/lv2-path/Brellivaunt.lv2/*.ttl | tee build/native/lv2-validate.log
grep -q '^Found 0 errors' build/native/lv2-validate.log

step "sanitizer build"
cmake --preset asan -DBRV_WERROR=ON >/dev/null
cmake --build --preset asan -j "$jobs"
step "sanitizer tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "${display[@]}" ctest --preset asan -j "$jobs"

step "thread sanitizer build and run"
cmake --preset tsan -DBRV_WERROR=ON >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan

# libFuzzer drives one effect for a minute from the committed corpus; what
# it learns goes to a scratch folder, a crash's input to build/fuzz. Without
# a display, as in CI: the panel's size must not hang on a desktop's screen.
step "fuzzer build"
cmake --preset fuzz -DBRV_WERROR=ON >/dev/null
cmake --build --preset fuzz -j "$jobs"
step "fuzzer, 60 s"
found=$(mktemp -d)
if ! env -u DISPLAY build/fuzz/fuzz/dispatcher_fuzzer -max_total_time=60 -print_final_stats=1 \
     -artifact_prefix=build/fuzz/ "$found" fuzz/corpus >build/fuzz/fuzz.log 2>&1; then
  tail -n 80 build/fuzz/fuzz.log
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units)' build/fuzz/fuzz.log || true
rm -rf "$found"

# The Windows render and panel checks compare with what the native tests
# above wrote, in the folder named here and nowhere else.
references="-DBRV_LINUX_REFERENCES=$PWD/build/native"
step "windows x86_64 build"
cmake --preset mingw64 -DBRV_WERROR=ON "$references" >/dev/null
cmake --build --preset mingw64 -j "$jobs"
step "windows i686 build"
cmake --preset mingw32 -DBRV_WERROR=ON "$references" >/dev/null
cmake --build --preset mingw32 -j "$jobs"

step "windows x86_64 tests under wine"
# Window creation needs a display; one wine server serves the whole run.
export BRV_WINEPREFIX="${BRV_WINEPREFIX:-$(mktemp -d /tmp/brv-wine.XXXXXX)}"
"${display[@]}" ctest --preset mingw64 -j 1
step "all tests passed"
