#!/usr/bin/env bash
# Times pixdeck-cli against the shell's own way of listing the same pictures,
#   find DIR -maxdepth 1 ( -iname '*.gif' -o -iname '*.jpg' ) -printf '%f %s\n' | sort -f
# on folders of small files, and reports the ratio and both peak memories.
#
#   catalog_bench.sh PIXDECK_CLI [FILE_COUNT...]     (default: 10000 100000)
#
# Each command runs once to warm the caches, then RUNS times (default 5); the
# median wall time counts. Targets at 100,000 files: at most 1.5 times the
# baseline's time and under 64 MiB peak memory.
set -euo pipefail
cli=$(realpath "$1")
shift
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
runs=${RUNS:-5}
gnu_time=/usr/bin/time
[ -x "$gnu_time" ] || { echo "needs GNU time (Debian package 'time')" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# n files: 2 in 5 GIF, 2 in 5 JPEG (extensions in mixed case), 1 in 5 PNG that
# neither lists; sizes 1 to 64 bytes; names in no particular order.
make_folder() {
  local dir=$1 n=$2
  mkdir -p "$dir"
  perl -e '
    my ($dir, $n) = @ARGV;
    my @ext = ("gif", "JPG", "Gif", "jpg", "png");
    for my $i (0 .. $n - 1) {
      my $name = sprintf("%s/Photo %06d-%05d.%s", $dir, ($i * 7919) % $n, $i % 100000, $ext[$i % 5]);
      open(my $f, ">", $name) or die "$name: $!";
      print $f "x" x (1 + $i % 64);
      close($f);
    }' "$dir" "$n"
}

now_ns() { date +%s%N; }

# Median wall time in seconds of running "$@" $runs times.
median_time() {
  "$@" >/dev/null 2>&1
  local times=() start end
  for _ in $(seq "$runs"); do
    start=$(now_ns)
    "$@" >/dev/null 2>&1
    end=$(now_ns)
    times+=("$(( end - start ))")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] / 1e9 }'
}

# Peak resident memory in MiB of one run of "$@" (children included).
peak_mib() {
  "$gnu_time" -f '%M' -o "$work/rss" "$@" >/dev/null 2>&1
  awk '{ printf "%.1f", $1 / 1024 }' "$work/rss"
}

baseline() {
  find "$1" -maxdepth 1 \( -iname '*.gif' -o -iname '*.jpg' \) -printf '%f %s\n' | sort -f
}
export -f baseline

printf '%-8s %-9s %12s %12s %7s %14s %14s\n' files listed "pixdeck s" "baseline s" ratio "pixdeck MiB" "baseline MiB"
for n in "${counts[@]}"; do
  dir="$work/f$n"
  make_folder "$dir" "$n"
  listed=$("$cli" -o "$work/page$n.htm" "$dir" | awk '/^count:/ { print $2 }')
  t_cli=$(median_time "$cli" -o "$work/page$n.htm" "$dir")
  t_base=$(median_time bash -c 'baseline "$1"' _ "$dir")
  m_cli=$(peak_mib "$cli" -o "$work/page$n.htm" "$dir")
  m_base=$(peak_mib bash -c 'baseline "$1"' _ "$dir")
  ratio=$(awk -v a="$t_cli" -v b="$t_base" 'BEGIN { printf "%.2f", a / b }')
  printf '%-8s %-9s %12s %12s %7s %14s %14s\n' "$n" "$listed" "$t_cli" "$t_base" "$ratio" "$m_cli" "$m_base"
  rm -rf "$dir"
done
