#!/usr/bin/env bash
# Makes a light page of about 3,000 small JPEGs of a few sizes (and one picture
# of every other kind the header reader knows) with pixdeck-cli and has
# Debian's chromium check it (tests/page_check/check_light_page.mjs); then
# checks that the same folder without the option gives the plain page. Exits
# 77 (skipped) only when node, npm, chromium or ImageMagick is not installed.
#   run_light_page_check.sh PIXDECK_CLI SAMPLE_PICTURES_DIR WORK_DIR
set -euo pipefail
cli=$1 samples=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
chromium=${CHROMIUM:-/usr/bin/chromium}

for tool in node npm convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$chromium" ] || { echo "skipped: $chromium is not installed"; exit 77; }

mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/check_light_page.mjs" "$work/"
if ! cmp -s "$here/package-lock.json" "$work/installed-lock.json" 2>/dev/null; then
  (cd "$work" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$work/installed-lock.json"
fi
export CHROMIUM=$chromium

# 3,000 JPEGs in four sizes (made once each, then copied), plus the samples:
# GIF, PNG, BMP (bottom up and top down), WebP (lossy, lossless, extended),
# progressive JPEG and JPEGs whose EXIF orientation turns them. Picture i
# has size i mod 4; one tee writes all the copies of a size (3,000 cp
# processes took 17 s).
pictures="$work/light"
rm -rf "$pictures" && mkdir -p "$pictures"
sizes=(120x80 64x96 200x50 90x90)
for k in "${!sizes[@]}"; do
  convert -size "${sizes[$k]}" plasma:red-blue -strip -quality 40 "$work/base.jpg"
  copies=()
  for ((i = (k == 0 ? ${#sizes[@]} : k); i <= 3000; i += ${#sizes[@]})); do
    printf -v name '%s/photo %04d.jpg' "$pictures" "$i"
    copies+=("$name")
  done
  tee "${copies[@]}" <"$work/base.jpg" >/dev/null
done
cp "$samples"/*.gif "$samples"/*.png "$samples"/*.bmp "$samples"/*.webp "$samples"/*.jpg "$pictures/"
count=$(find "$pictures" -maxdepth 1 -type f | wc -l)
echo "folder: $count pictures, $(du -sk "$pictures" | cut -f1) KiB"

specs='*.jpg;*.gif;*.png;*.bmp;*.webp'
settings="$work/settings.ini"
printf '[Options]\n' >"$settings"
"$cli" --settings "$settings" --light -s "$specs" -o "$work/light.htm" "$pictures"
node "$work/check_light_page.mjs" "$work/light.htm" "$count"

# Without the option: the plain page, the light one without its attributes.
"$cli" --settings "$settings" --no-light -s "$specs" -o "$work/plain.htm" "$pictures"
if grep -q -E 'LOADING=|WIDTH=|DECODING=' "$work/plain.htm"; then
  echo "FAIL: the page without the option carries light attributes"
  exit 1
fi
sed -E 's/( WIDTH=[0-9]+ HEIGHT=[0-9]+)? LOADING="lazy" DECODING="async"//' "$work/light.htm" \
  >"$work/light-stripped.htm"
if ! cmp "$work/light-stripped.htm" "$work/plain.htm"; then
  echo "FAIL: the light page differs from the plain one beyond its attributes"
  exit 1
fi
echo "plain page: no light attributes, otherwise the light page byte for byte"
