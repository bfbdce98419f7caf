#!/usr/bin/env bash
# Fuzzes the INI reader and writer under AddressSanitizer and UBSan for a short
# while (PIXDECK_FUZZ_SECONDS, 30 by default). Built apart from the main build
# with Debian's clang and libFuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${PIXDECK_BUILD_DIR:-$root/build}/fuzz
mkdir -p "$out"
. "$root/scripts/lib/fuzz-build.sh"
fuzz_build "$out/ini_text_fuzz" \
  -I"$root/src" "$root/fuzz/ini_text_fuzz.cpp" "$root/src/settings/ini_text.cpp" "$root/src/text/ascii.cpp"
corpus=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-fuzz-ini.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
# The first folder collects new inputs; the seeds in the tree stay untouched.
"$out/ini_text_fuzz" -max_total_time="${PIXDECK_FUZZ_SECONDS:-30}" -max_len=16384 \
  -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$out/" -print_final_stats=1 \
  "$corpus" "$root/fuzz/corpus/ini"
