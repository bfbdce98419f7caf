#!/usr/bin/env bash
# Times pixdeck-cli with light pages off and on over folders of small pictures
# and reports both, their ratio and both peak memories.
#
#   light_pages_bench.sh PIXDECK_CLI [FILE_COUNT...]     (default: 10000 100000)
#
# The files are small real pictures (GIF, PNG, JPEG with an EXIF segment,
# progressive JPEG, WebP, each a few hundred bytes) and a few that are not;
# with the option on every header is read. Each run is repeated RUNS times
# (default 5) after one to warm the caches; the median counts. Target at
# 100,000 files: the option on costs at most 1.5 times the option off.
set -euo pipefail
cli=$(realpath "$1")
shift
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
runs=${RUNS:-5}
samples=$(cd "$(dirname "$0")/../tests/catalog/pictures" && pwd)
gnu_time=/usr/bin/time
[ -x "$gnu_time" ] || { echo "needs GNU time (Debian package 'time')" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-light-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
settings="$work/settings.ini"
printf '[Options]\n' >"$settings"

# n files named as the generic benchmark names them, cycling through the
# sample pictures; one in ten is text with a picture's extension.
make_folder() {
  local dir=$1 n=$2
  mkdir -p "$dir"
  perl -e '
    my ($dir, $n, @samples) = @ARGV;
    my @bodies = map { local $/; open(my $f, "<:raw", $_) or die "$_: $!"; <$f> } @samples;
    my @ext = map { /\.(\w+)$/ ? $1 : "bin" } @samples;
    for my $i (0 .. $n - 1) {
      my $k = $i % @samples;
      my $text = $i % 10 == 9;
      my $name = sprintf("%s/Photo %06d-%05d.%s", $dir, ($i * 7919) % $n, $i % 100000,
                         $text ? "jpg" : $ext[$k]);
      open(my $f, ">:raw", $name) or die "$name: $!";
      print $f ($text ? "not a picture\n" : $bodies[$k]);
      close($f);
    }' "$dir" "$n" "$samples"/{gif.gif,png.png,turned6-le.jpg,progressive.jpg,lossy.webp,bmp3.bmp}
}

now_ns() { date +%s%N; }

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

# Peak memory in MiB and processor time (user + system) in seconds of one
# run; on a busy machine the processor time varies less than the wall time.
peak_mib() {
  "$gnu_time" -f '%M' -o "$work/rss" "$@" >/dev/null 2>&1
  awk '{ printf "%.1f", $1 / 1024 }' "$work/rss"
}
cpu_s() {
  "$gnu_time" -f '%U %S' -o "$work/cpu" "$@" >/dev/null 2>&1
  awk '{ printf "%.2f", $1 + $2 }' "$work/cpu"
}

printf '%-8s %-8s %7s %7s %6s %9s %9s %8s %8s\n' files listed "off s" "on s" ratio "off cpu" "on cpu" "off MiB" "on MiB"
for n in "${counts[@]}"; do
  dir="$work/f$n"
  make_folder "$dir" "$n"
  specs='*.gif;*.jpg;*.png;*.webp;*.bmp'
  off=("$cli" --settings "$settings" --no-light -s "$specs" -o "$work/off$n.htm" "$dir")
  on=("$cli" --settings "$settings" --light -s "$specs" -o "$work/on$n.htm" "$dir")
  listed=$("${on[@]}" | awk '/^count:/ { print $2 }')
  sized=$(grep -c ' WIDTH=' "$work/on$n.htm" || true)
  t_off=$(median_time "${off[@]}")
  t_on=$(median_time "${on[@]}")
  m_off=$(peak_mib "${off[@]}")
  m_on=$(peak_mib "${on[@]}")
  c_off=$(cpu_s "${off[@]}")
  c_on=$(cpu_s "${on[@]}")
  ratio=$(awk -v a="$t_on" -v b="$t_off" 'BEGIN { printf "%.2f", a / b }')
  printf '%-8s %-8s %7s %7s %6s %9s %9s %8s %8s   (%s with a size)\n' "$n" "$listed" "$t_off" \
    "$t_on" "$ratio" "$c_off" "$c_on" "$m_off" "$m_on" "$sized"
  rm -rf "$dir"
done
