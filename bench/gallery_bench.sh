#!/usr/bin/env bash
# Times the thumbnails of a gallery against the common thumbnailers, and the
# first screen of a large gallery in Chromium.
#
#   gallery_bench.sh PIXDECK_CLI [PHOTO_COUNT] [LARGE_COUNT]   (default: 1000 40000)
#
# Part 1: PHOTO_COUNT camera-size JPEGs (4000 x 3000, about 1.3 MB each, four
# different pictures made here with libvips, copied under distinct names),
# thumbnails of at most 320 x 320 made, in the same run, by
#   - pixdeck-cli --gallery (the page outside the folder), and its peak memory;
#   - the same again over the unchanged folder (the second run);
#   - vipsthumbnail (libvips-tools) over all the files in one process;
#   - ImageMagick's convert -thumbnail, one process a file, one per core, over
#     the first MAGICK_COUNT files (default 100: it decodes every picture
#     whole and takes minutes a hundred), its time scaled to all of them.
# The files are read once before, so that every tool finds them in the cache.
# Targets: pixdeck at most 1.2 times vipsthumbnail, under 300 MiB, the second
# run under 5% of the first.
#
# Part 2 (LARGE_COUNT 0 leaves it out): a gallery of LARGE_COUNT small JPEGs,
# opened in Debian's chromium: the time from navigation to the first screen
# of thumbnails shown (median of five loads). Target: within 1 s.
set -euo pipefail
cli=$(realpath "$1")
photos=${2:-1000}
large=${3:-40000}
here=$(cd "$(dirname "$0")" && pwd)
gnu_time=/usr/bin/time
for tool in vips vipsthumbnail convert "$gnu_time"; do
  command -v "$tool" >/dev/null || { echo "needs $tool (libvips-tools, imagemagick, time)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-gallery-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
settings="$work/settings.ini"
printf '[Options]\n' >"$settings"
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# Seconds and peak MiB of one command, from GNU time.
measure() {
  local log=$work/time.log
  "$gnu_time" -f '%e %M' -o "$log" "$@" >/dev/null 2>&1
  awk '{ printf "%s %.1f\n", $1, $2 / 1024 }' "$log"
}

photos_dir="$work/photos"
mkdir -p "$photos_dir"
for k in 1 2 3 4; do
  for band in 1 2 3; do
    vips perlin "$work/band$band.v" 4000 3000 --cell-size $((40 * band * k)) --uchar --seed $((k * 10 + band))
  done
  vips bandjoin "$work/band1.v $work/band2.v $work/band3.v" "$work/joined.v"
  vips copy "$work/joined.v" "$work/base$k.jpg[Q=90]" --interpretation srgb
done
rm -f "$work"/*.v
for i in $(seq 1 "$photos"); do
  cp "$work/base$(( i % 4 + 1 )).jpg" "$(printf '%s/DSC%05d.jpg' "$photos_dir" "$i")"
done
cat "$photos_dir"/*.jpg >/dev/null
echo "photos: $photos JPEGs of 4000 x 3000, $(du -sm "$photos_dir" | cut -f1) MiB"

mkdir -p "$work/pixdeck" "$work/vips" "$work/magick"
read -r first first_mib < <(measure "$cli" --settings "$settings" --gallery -s '*.jpg' \
  -o "$work/pixdeck/gallery.htm" "$photos_dir")
made=$(find "$work/pixdeck/gallery_files" -name 't*-*.jpg' | wc -l)
read -r second second_mib < <(measure "$cli" --settings "$settings" --gallery -s '*.jpg' \
  -o "$work/pixdeck/gallery.htm" "$photos_dir")
read -r vips_time vips_mib < <(measure vipsthumbnail --size 320x320 -o "$work/vips/%s.jpg" \
  "$photos_dir"/*.jpg)
magick_count=$(( ${MAGICK_COUNT:-100} < photos ? ${MAGICK_COUNT:-100} : photos ))
magick_one() { convert "$1" -thumbnail 320x320 "$2/$(basename "$1")"; }
export -f magick_one
read -r magick_part magick_mib < <(measure bash -c \
  'ls "$1"/*.jpg | head -n "$3" | xargs -d "\n" -P "$(nproc)" -I{} bash -c "magick_one \"{}\" \"$2\""' \
  _ "$photos_dir" "$work/magick" "$magick_count")
magick_time=$(awk -v t="$magick_part" -v n="$magick_count" -v all="$photos" 'BEGIN { printf "%.1f", t * all / n }')
echo "thumbnails made by pixdeck: $made"
printf '| tool | time | peak memory |\n|---|---|---|\n'
printf '| pixdeck-cli --gallery | %s s | %s MiB |\n' "$first" "$first_mib"
printf '| the same, second run | %s s | %s MiB |\n' "$second" "$second_mib"
printf '| vipsthumbnail | %s s | %s MiB |\n' "$vips_time" "$vips_mib"
printf '| convert -thumbnail, %s at once | %s s (%s s for %s files) | %s MiB (one) |\n' "$(nproc)" \
  "$magick_time" "$magick_part" "$magick_count" "$magick_mib"
awk -v a="$first" -v b="$vips_time" -v s="$second" \
  'BEGIN { printf "pixdeck / vipsthumbnail: %.2f (target 1.2); second run / first: %.1f%% (target 5%%)\n", a / b, 100 * s / a }'
rm -rf "$photos_dir" "$work/pixdeck" "$work/vips" "$work/magick"

[ "$large" -gt 0 ] || exit 0
chromium=${CHROMIUM:-/usr/bin/chromium}
if ! command -v node >/dev/null || ! command -v npm >/dev/null || [ ! -x "$chromium" ]; then
  echo "part 2 left out: needs node, npm and $chromium"
  exit 0
fi
export CHROMIUM=$chromium
cp "$here/../tests/page_check/package.json" "$here/../tests/page_check/package-lock.json" \
  "$here/gallery_first_screen.mjs" "$work/"
(cd "$work" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
large_dir="$work/large"
mkdir -p "$large_dir"
sample="$here/../tests/catalog/pictures/gallery/photo.jpg"
perl -e 'my ($dir, $n, $from) = @ARGV; local $/; open(my $f, "<:raw", $from) or die; my $b = <$f>;
  for my $i (1 .. $n) { open(my $o, ">:raw", sprintf("%s/IMG_%06d.jpg", $dir, $i)) or die; print $o $b; }' \
  "$large_dir" "$large" "$sample"
read -r large_time large_mib < <(measure "$cli" --settings "$settings" --gallery -s '*.jpg' \
  "$large_dir")
echo "gallery of $large pictures: made in $large_time s, $large_mib MiB"
node "$work/gallery_first_screen.mjs" "$large_dir/images.htm"
