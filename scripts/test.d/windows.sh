#!/usr/bin/env bash
# The Windows builds (32- and 64-bit, MinGW-w64) and their core test suites
# under Wine (arguments go to scripts/test-windows: --build-only builds
# them ahead). Skipped when PIXDECK_SKIP_WINDOWS=1.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [[ "${PIXDECK_SKIP_WINDOWS:-0}" == 1 ]]; then
  echo "Windows builds skipped (PIXDECK_SKIP_WINDOWS=1)"
  exit 0
fi
build=${PIXDECK_BUILD_DIR:-$root/build}
PIXDECK_WINDOWS_BUILD_PREFIX=${PIXDECK_WINDOWS_BUILD_PREFIX:-$build/windows-} \
  exec "$root/scripts/test-windows" "$@"
