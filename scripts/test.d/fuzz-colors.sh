#!/usr/bin/env bash
# Fuzzes the colour-table reader under AddressSanitizer and UBSan for a short
# while (PIXDECK_FUZZ_SECONDS, 20 by default), checking it against the
# reference reader in the target. Built apart from the main build with
# Debian's clang and libFuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${PIXDECK_BUILD_DIR:-$root/build}/fuzz
mkdir -p "$out"
src=$root/src
. "$root/scripts/lib/fuzz-build.sh"
fuzz_build "$out/color_table_fuzz" \
  -I"$src" "$root/fuzz/color_table_fuzz.cpp" "$src/catalog/color_table.cpp" \
  "$src/text/utf8.cpp" "$src/util/paths.cpp" "$src/util/program_dirs.cpp" "$src/text/wildcard.cpp" \
  "$src/text/ascii.cpp" "$src/text/path_names.cpp" \
  "$src/text/name_pattern.cpp" "$src/util/messages.cpp" \
  "$src/platform/posix/collate_posix.cpp" "$src/platform/posix/file_system_posix.cpp" \
  "$src/platform/posix/file_replace_posix.cpp"
corpus=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-fuzz-colors.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
# The first folder collects new inputs; the seeds in the tree stay untouched.
"$out/color_table_fuzz" -max_total_time="${PIXDECK_FUZZ_SECONDS:-20}" -max_len=4096 \
  -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$out/" -print_final_stats=1 \
  "$corpus" "$root/fuzz/corpus/colors"
