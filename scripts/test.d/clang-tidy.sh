#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every source file the test
# build compiles (src, tests, fuzz, bench; the build stage has configured it),
# on all cores. Prints the findings and fails when there is any.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${PIXDECK_BUILD_DIR:-$root/build}
export LC_ALL=C.UTF-8
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
[ -f "$build/compile_commands.json" ] || {
  echo "no $build/compile_commands.json: configure the build first" >&2
  exit 1
}
exec python3 "$root/scripts/lib/tidy_run.py" --clang-tidy "$tidy" --root "$root" \
  --build "$build" --jobs "$(nproc)"
