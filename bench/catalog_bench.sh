#!/usr/bin/env bash
# Times pixdeck-cli in one run against
#  - the floor: catalog_floor, a bare program that does only the unavoidable
#    work (one readdir pass, fstatat for the matches, one case-insensitive
#    sort, one write of a page of about the same size), and
#  - the shell's way of listing the same pictures,
#      find DIR -maxdepth 1 ( -iname '*.gif' -o -iname '*.jpg' ) -printf '%f %s\n' | sort -f
# on folders of small files, and reports the processor times of pixdeck-cli
# and the floor, pixdeck-cli's peak memory and its userland instructions per
# listed file under callgrind.
#
#   catalog_bench.sh PIXDECK_CLI CATALOG_FLOOR [FILE_COUNT...]   (default: 10000 100000)
#
# Each command runs once to warm the caches, then RUNS times (default 5), the
# three in turn; the median wall time counts. Every command runs in the C.UTF-8 locale. Targets at
# 100,000 files (60,000 listed): at most 1.25 times the floor, peak memory
# under 32 MiB, at most 2,000 instructions per listed file.
set -euo pipefail
cli=$(realpath "$1")
floor=$(realpath "$2")
shift 2
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
runs=${RUNS:-5}
gnu_time=/usr/bin/time
[ -x "$gnu_time" ] || { echo "needs GNU time (Debian package 'time')" >&2; exit 1; }
export LC_ALL=C.UTF-8

work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The CLI's defaults come from this (empty) settings file, not the caller's.
settings="$work/bench.INI"
: >"$settings"

# n files: 3 in 5 listed (GIF and JPEG, extensions in mixed case), the rest
# PNG and text files that neither pattern lists; sizes 1 to 64 bytes; names
# in no particular order.
make_folder() {
  local dir=$1 n=$2
  mkdir -p "$dir"
  perl -e '
    my ($dir, $n) = @ARGV;
    my @ext = ("gif", "JPG", "png", "Gif", "txt");
    for my $i (0 .. $n - 1) {
      my $name = sprintf("%s/Photo %06d-%05d.%s", $dir, ($i * 7919) % $n, $i % 100000, $ext[$i % 5]);
      open(my $f, ">", $name) or die "$name: $!";
      print $f "x" x (1 + $i % 64);
      close($f);
    }' "$dir" "$n"
}

now_ns() { date +%s%N; }

# Wall time and processor time (user and system, GNU time's 10 ms steps) in
# nanoseconds of one run of "$@", as "WALL CPU".
time_ns() {
  local start end
  start=$(now_ns)
  "$gnu_time" -f '%U %S' -o "$work/cpu" "$@" >/dev/null 2>&1
  end=$(now_ns)
  echo "$((end - start)) $(awk '{ printf "%.0f", ($1 + $2) * 1e9 }' "$work/cpu")"
}

# The median of nanosecond figures, in seconds.
median_s() {
  printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] / 1e9 }'
}

# Peak resident memory in MiB of one run of "$@" (children included).
peak_mib() {
  "$gnu_time" -f '%M' -o "$work/rss" "$@" >/dev/null 2>&1
  awk '{ printf "%.1f", $1 / 1024 }' "$work/rss"
}

# Userland instructions per listed file of one run of "$@" under callgrind
# (everything the process executes, start-up included).
instructions_per_file() {
  local listed=$1
  shift
  if ! command -v valgrind >/dev/null; then
    printf 'n/a'
    return
  fi
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$@" >/dev/null 2>&1
  awk -v n="$listed" '/^(summary|totals):/ { ir = $2 } END { printf "%.0f", ir / n }' "$work/callgrind.out"
  rm -f "$work/callgrind.out"
}

baseline() {
  find "$1" -maxdepth 1 \( -iname '*.gif' -o -iname '*.jpg' \) -printf '%f %s\n' | sort -f
}
export -f baseline

printf '%-7s %-7s %9s %9s %9s %8s %8s %8s %8s %8s %10s\n' \
  files listed "pixdeck s" "floor s" "find s" "/floor" "/find" "pdk MiB" "flr MiB" "find MiB" "instr/file"
for n in "${counts[@]}"; do
  dir="$work/f$n"
  make_folder "$dir" "$n"
  # Both pages go into the scanned folder, so both refer to the pictures by
  # bare name; neither matches the patterns.
  page="$dir/pixdeck.htm"
  floor_page="$dir/floor.htm"
  pixdeck=("$cli" --settings "$settings" -o pixdeck.htm "$dir")
  listed=$("${pixdeck[@]}" | awk '/^count:/ { print $2 }')
  floor_listed=$("$floor" "$dir" "$floor_page" | awk '/^count:/ { print $2 }')
  [ "$listed" = "$floor_listed" ] || { echo "pixdeck-cli listed $listed, the floor $floor_listed" >&2; exit 1; }
  # One warm-up each, then the three in turn, so that the machine's other work
  # weighs on all of them alike.
  times_cli=() times_floor=() times_find=() cpu_cli=() cpu_floor=()
  for round in $(seq 0 "$runs"); do
    read -r t1 c1 < <(time_ns "${pixdeck[@]}")
    read -r t2 c2 < <(time_ns "$floor" "$dir" "$floor_page")
    read -r t3 _ < <(time_ns bash -c 'baseline "$1"' _ "$dir")
    if [ "$round" -gt 0 ]; then
      times_cli+=("$t1") times_floor+=("$t2") times_find+=("$t3")
      cpu_cli+=("$c1") cpu_floor+=("$c2")
    fi
  done
  t_cli=$(median_s "${times_cli[@]}")
  t_floor=$(median_s "${times_floor[@]}")
  t_find=$(median_s "${times_find[@]}")
  c_cli=$(median_s "${cpu_cli[@]}")
  c_floor=$(median_s "${cpu_floor[@]}")
  m_cli=$(peak_mib "${pixdeck[@]}")
  m_floor=$(peak_mib "$floor" "$dir" "$floor_page")
  m_find=$(peak_mib bash -c 'baseline "$1"' _ "$dir")
  ir=$(instructions_per_file "$listed" "${pixdeck[@]}")
  r_floor=$(awk -v a="$t_cli" -v b="$t_floor" 'BEGIN { printf "%.2f", a / b }')
  r_find=$(awk -v a="$t_cli" -v b="$t_find" 'BEGIN { printf "%.2f", a / b }')
  printf '%-7s %-7s %9s %9s %9s %8s %8s %8s %8s %8s %10s\n' \
    "$n" "$listed" "$t_cli" "$t_floor" "$t_find" "$r_floor" "$r_find" "$m_cli" "$m_floor" "$m_find" "$ir"
  printf '        processor time (user + system): pixdeck %s s, floor %s s\n' "$c_cli" "$c_floor"
  printf '        page bytes: pixdeck %s, floor %s\n' "$(stat -c %s "$page")" "$(stat -c %s "$floor_page")"
  rm -rf "$dir"
done
