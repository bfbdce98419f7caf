#!/usr/bin/env bash
# Fuzzes the wildcard matcher under AddressSanitizer and UBSan for a short
# while (PIXDECK_FUZZ_SECONDS, 20 by default), checking it against the
# reference matcher in the target. Built apart from the main build with
# Debian's clang and libFuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${PIXDECK_BUILD_DIR:-$root/build}/fuzz
mkdir -p "$out"
. "$root/scripts/lib/fuzz-build.sh"
fuzz_build "$out/wildcard_fuzz" \
  -I"$root/src" "$root/fuzz/wildcard_fuzz.cpp" "$root/src/text/wildcard.cpp" \
  "$root/src/text/name_pattern.cpp" "$root/src/text/utf8.cpp"
corpus=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-fuzz-wildcard.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
# The first folder collects new inputs; the seeds in the tree stay untouched.
"$out/wildcard_fuzz" -max_total_time="${PIXDECK_FUZZ_SECONDS:-20}" -max_len=512 \
  -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$out/" -print_final_stats=1 \
  "$corpus" "$root/fuzz/corpus/wildcard"
