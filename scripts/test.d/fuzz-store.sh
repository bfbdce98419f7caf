#!/usr/bin/env bash
# Fuzzes the settings store and its chain of INI files on real files under
# AddressSanitizer and UBSan for a short while (PIXDECK_FUZZ_STORE_SECONDS,
# 20 by default). Built apart from the main build with Debian's clang and
# libFuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${PIXDECK_BUILD_DIR:-$root/build}/fuzz
mkdir -p "$out"
src="$root/src"
. "$root/scripts/lib/fuzz-build.sh"
fuzz_build "$out/settings_store_fuzz" \
  -I"$src" -I"${PIXDECK_BUILD_DIR:-$root/build}/generated" "$root/fuzz/settings_store_fuzz.cpp" \
  "$src"/settings/*.cpp "$src"/util/*.cpp "$src"/text/*.cpp \
  "$src"/platform/posix/file_system_posix.cpp "$src"/platform/posix/file_replace_posix.cpp \
  "$src"/platform/posix/collate_posix.cpp "$src"/platform/posix/save_lock_posix.cpp
work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-fuzz-store.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
# The first folder collects new inputs; the seeds in the tree stay untouched.
# The target's own scratch folders go into $work too.
TMPDIR="$work" "$out/settings_store_fuzz" -max_total_time="${PIXDECK_FUZZ_STORE_SECONDS:-20}" \
  -max_len=4096 -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$out/" -print_final_stats=1 \
  "$work/corpus" "$root/fuzz/corpus/store"
