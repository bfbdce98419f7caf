#!/usr/bin/env bash
# Fuzzes the picture header reader under AddressSanitizer and UBSan for a short
# while (PIXDECK_FUZZ_SECONDS, 30 by default). Built apart from the main build
# with Debian's clang and libFuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${PIXDECK_BUILD_DIR:-$root/build}/fuzz
mkdir -p "$out"
. "$root/scripts/lib/fuzz-build.sh"
fuzz_build "$out/picture_head_fuzz" \
  -I"$root/src" "$root/fuzz/picture_head_fuzz.cpp" "$root/src/catalog/picture_head.cpp"
corpus=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-fuzz-picture.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
# The first folder collects new inputs; the seeds in the tree stay untouched.
# Inputs a little past the first read exercise long JPEG segment chains.
"$out/picture_head_fuzz" -max_total_time="${PIXDECK_FUZZ_SECONDS:-30}" -max_len=8192 \
  -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$out/" -print_final_stats=1 \
  "$corpus" "$root/fuzz/corpus/picture"
