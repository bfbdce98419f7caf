#!/usr/bin/env bash
# Times the real main window: how long it takes from the program's start to
# its first paint (median of RUNS starts), how long Filter takes in it on
# folders of small files (median of RUNS presses), and pixdeck-cli on the same
# folders in the same run, for comparison.
#
#   window_bench.sh WINDOW_BENCH PIXDECK_CLI [FILE_COUNT...]   (default: 10000 100000)
#
# The window runs under Xvfb (xvfb-run) when it is installed, else on Qt's
# offscreen platform; every command runs in the C.UTF-8 locale with its own
# settings, configuration and runtime folders. Targets: the window shows
# within 0.3 s; Filter costs about what pixdeck-cli costs.
set -euo pipefail
bench=$(realpath "$1")
cli=$(realpath "$2")
shift 2
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
runs=${RUNS:-5}

if [ -z "${PIXDECK_BENCH_INNER:-}" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-window-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/config" "$work/runtime"
  chmod 700 "$work/runtime"
  export PIXDECK_BENCH_INNER=$work LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" HOME="$work" BROWSER=/bin/true
  if command -v xvfb-run >/dev/null; then
    export QT_QPA_PLATFORM=xcb
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$bench" "$cli" "${counts[@]}"
  else
    export QT_QPA_PLATFORM=offscreen
    bash "$0" "$bench" "$cli" "${counts[@]}"
  fi
  exit
fi

work=$PIXDECK_BENCH_INNER
settings="$work/window.INI"
cli_settings="$work/cli.INI"
: >"$cli_settings"

# The same folders as catalog_bench.sh: 3 in 5 files listed.
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

median() { sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] }'; }

now_ns() { date +%s%N; }

# The window's start, once to warm the caches, then $runs times.
"$bench" "$(now_ns)" "$settings" >/dev/null
shown=$(for _ in $(seq "$runs"); do
  "$bench" "$(now_ns)" "$settings" | awk '/^shown:/ { print $2 }'
done | median)
echo "platform: $QT_QPA_PLATFORM"
echo "window shown after: $shown s (median of $runs starts)"

printf '%-7s %-7s %12s %12s %12s %8s\n' files listed "open s" "Filter s" "cli s" ratio
for n in "${counts[@]}"; do
  dir="$work/f$n"
  make_folder "$dir" "$n"
  result=$("$bench" "$(now_ns)" "$settings" "$dir" "$runs")
  open=$(awk '/^open:/ { print $2 }' <<<"$result")
  filter=$(awk '/^filter:/ { print $2 }' <<<"$result")
  listed=$(awk '/^count:/ { print $2 }' <<<"$result")
  "$cli" --settings "$cli_settings" -o cli.htm "$dir" >/dev/null
  t_cli=$(for _ in $(seq "$runs"); do
    start=$(now_ns)
    "$cli" --settings "$cli_settings" -o cli.htm "$dir" >/dev/null
    end=$(now_ns)
    echo "$(( end - start ))"
  done | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] / 1e9 }')
  ratio=$(awk -v a="$filter" -v b="$t_cli" 'BEGIN { printf "%.2f", a / b }')
  printf '%-7s %-7s %12s %12s %12s %8s\n' "$n" "$listed" "$open" "$filter" "$t_cli" "$ratio"
  rm -rf "$dir"
done
