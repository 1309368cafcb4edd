#!/usr/bin/env bash
# Builds the module of any commit, with that commit's own native preset (the
# flags today's module is built with), for brv_plugin_bench to compare
# against. The commit is checked out in a temporary git worktree, which is
# removed again; the module stays at build/baseline/HASH/Brellivaunt.so,
# whose path is the only line printed on standard output:
#
#   build/native/bench/brv_plugin_bench --baseline="$(scripts/bench-baseline.sh REV)"
#
# A commit's module is built once; later calls print the path again.
# Usage: scripts/bench-baseline.sh REV
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

if [ $# -ne 1 ]; then
  echo "usage: scripts/bench-baseline.sh REV" >&2
  exit 2
fi
if ! hash=$(git rev-parse --verify --quiet "$1^{commit}"); then
  echo "bench-baseline: not a commit: $1" >&2
  exit 2
fi
short=$(git rev-parse --short=12 "$hash")
out="$repo/build/baseline/$short"
module="$out/Brellivaunt.so"
if [ -f "$module" ]; then
  echo "bench-baseline: $1 ($short) was built before" >&2
  echo "$module"
  exit 0
fi

# The sources go under build/ like every other build, so that a ccache base
# directory covering the work tree also covers them.
mkdir -p "$out"
tree="$out/source"
log="$out/build.log"
remove_tree() {
  git -C "$repo" worktree remove --force "$tree" 2>/dev/null || rm -rf "$tree"
  git -C "$repo" worktree prune
}
trap remove_tree EXIT
rm -rf "$tree"
git worktree add --detach --quiet "$tree" "$hash"

echo "bench-baseline: building the module of $1 ($short), log in $log" >&2
if ! (cd "$tree" && cmake --preset native && cmake --build --preset native -j "$(nproc)" --target brellivaunt) \
     >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "bench-baseline: the build of $1 failed" >&2
  exit 1
fi
built=$(find "$tree/build/native" -name Brellivaunt.so -type f -print -quit)
if [ -z "$built" ]; then
  echo "bench-baseline: the build of $1 left no Brellivaunt.so" >&2
  exit 1
fi
cp "$built" "$module"
echo "$module"
