#!/usr/bin/env bash
# check_layers.sh BUILD_DIR GENERATOR PROBE=builds|fails=HEADER=OBJECT...
#
# Builds every probe at once, going on past failures. A probe that must build
# has to leave its object file; one that must fail has to fail because its
# header is not found, and for no other reason.
set -u
build=$1 generator=$2
shift 2
log=$(mktemp)
trap 'rm -f "$log"' EXIT

targets=()
for entry in "$@"; do
  IFS='=' read -r probe expect header object <<<"$entry"
  targets+=("$probe")
  rm -f "$object"
done
keep_going=-k
[ "$generator" = Ninja ] && keep_going="-k 0"
# shellcheck disable=SC2086
cmake --build "$build" --target "${targets[@]}" -- $keep_going >"$log" 2>&1

wrong=0
for entry in "$@"; do
  IFS='=' read -r probe expect header object <<<"$entry"
  if [ "$expect" = builds ]; then
    if [ ! -f "$object" ]; then
      echo "$probe: $header should be visible, but the probe did not build"
      wrong=$((wrong + 1))
    fi
    continue
  fi
  if [ -f "$object" ]; then
    echo "$probe: $header is visible to a layer that must not see it"
    wrong=$((wrong + 1))
  elif ! grep -A6 "FAILED: .*/$probe\.dir/" "$log" | grep -q "$header: No such file or directory"; then
    echo "$probe: failed, but not for want of $header"
    wrong=$((wrong + 1))
  fi
done
echo "$# probes, $wrong wrong"
if [ "$wrong" -gt 0 ]; then
  echo "--- build output"
  cat "$log"
  exit 1
fi
