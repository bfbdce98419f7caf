# Builds a libFuzzer target under AddressSanitizer and UBSan with Debian's
# clang, one object a source so that ccache (where installed) serves a run
# whose sources did not change. Sourced by the fuzzing stages.
#
#   fuzz_build OUTPUT [-IDIR...] SOURCE...

fuzz_build() {
  local output=$1 arg source object
  shift
  local includes=() objects=()
  local flags=(-std=c++20 -g -O1 -fno-sanitize-recover=undefined)
  local compiler=(clang++)
  if command -v ccache >/dev/null; then
    # The debug information names the sources relative to the checkout, so
    # that ccache need not hash the folder it runs in and serves one clone's
    # objects to another.
    compiler=(env "CCACHE_BASEDIR=$root" CCACHE_NOHASHDIR=1 ccache clang++)
    flags+=("-fdebug-prefix-map=$root=.")
  fi
  mkdir -p "$output.objects"
  for arg in "$@"; do
    [[ $arg == -I* ]] && includes+=("$arg")
  done
  for source in "$@"; do
    [[ $source == -I* ]] && continue
    object=$output.objects/$(realpath --relative-to="$root" "$source" | tr / _).o
    "${compiler[@]}" "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined "${includes[@]}" \
      -c "$source" -o "$object" || return
    objects+=("$object")
  done
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "${objects[@]}" -o "$output"
}
