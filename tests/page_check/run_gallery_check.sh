#!/usr/bin/env bash
# Makes a gallery of every kind of picture, of files that cannot be decoded,
# of awkward names and of enough photographs for several pages with
# pixdeck-cli, and has Debian's chromium check it
# (tests/page_check/check_gallery.mjs); then checks that a second run makes no
# thumbnail and that the same folder without the option gives the plain page.
# Exits 77 (skipped) only when node, npm or chromium is not installed.
#   run_gallery_check.sh PIXDECK_CLI SAMPLE_PICTURES_DIR PROGRAM_SAMPLES_DIR WORK_DIR
set -euo pipefail
cli=$1 pictures_dir=$2 samples=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)
chromium=${CHROMIUM:-/usr/bin/chromium}

for tool in node npm; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$chromium" ] || { echo "skipped: $chromium is not installed"; exit 77; }

mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/check_gallery.mjs" "$work/"
if ! cmp -s "$here/package-lock.json" "$work/installed-lock.json" 2>/dev/null; then
  (cd "$work" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$work/installed-lock.json"
fi
export CHROMIUM=$chromium

folder="$work/gallery pictures"
rm -rf "$folder" && mkdir -p "$folder"
# Every kind the header reader knows, CMYK, animation, transparency, EXIF
# orientations, and a truncated file and a text file named .jpg.
cp "$pictures_dir"/*.{gif,jpg,png,bmp,webp} "$folder/"
for file in "$pictures_dir"/gallery/*.{gif,jpg,png}; do
  cp "$file" "$folder/gallery $(basename "$file")"
done
cp "$samples"/* "$folder/"
names=('*star.gif' ' c.jpg' 'd.jpg ' $'caf\xe9.gif' $'line\nfeed.gif' '100%41.gif' 'hash#1?.gif'
  'back\slash.gif' '&amp;.gif' '<img src=x onerror=alert(1)>.gif' '" onerror="alert(2)" x=".jpg'
  $'\xe6\x97\xa5 \xc3\xa9t\xc3\xa9.jpg' 'a:b.jpg')
for name in "${names[@]}"; do
  case $name in
    *.jpg*) cp "$pictures_dir/gallery/photo.jpg" "$folder/$name" ;;
    *) cp "$samples/tile.gif" "$folder/$name" ;;
  esac
done
for i in $(seq 1 110); do
  cp "$pictures_dir/gallery/progressive.jpg" "$(printf '%s/photo %03d.jpg' "$folder" "$i")"
done
specs='*.jpg*;*.gif;*.png;*.bmp;*.webp'
count=$(find "$folder" -maxdepth 1 -type f \( -iname '*.jpg*' -o -iname '*.gif' -o -iname '*.png' \
  -o -iname '*.bmp' -o -iname '*.webp' \) -printf x | wc -c)  # one a name, line feeds or not
per_page=60
pages=$(( (count + per_page - 1) / per_page ))
echo "folder: $count pictures, $pages pages of $per_page"

settings="$work/settings.ini"
printf '[Options]\n' >"$settings"
page='gallery page.htm'
out=$("$cli" --settings "$settings" --gallery --page-size "$per_page" -c Navy -p tile.gif \
  -s "$specs" -o "$page" "$folder")
echo "$out"
node "$work/check_gallery.mjs" "$folder/$page" "$count" "$pages"

# Unchanged: no thumbnail is made again, the pages are the same.
cp "$folder/$page" "$work/first.htm"
out=$("$cli" --settings "$settings" --gallery --page-size "$per_page" -c Navy -p tile.gif \
  -s "$specs" -o "$page" "$folder")
grep -q '^thumbnails made: 0$' <<<"$out" || { echo "FAIL: second run: $out"; exit 1; }
cmp "$folder/$page" "$work/first.htm"

# A page elsewhere, under a web base: the thumbnails go beside it.
out=$("$cli" --settings "$settings" --gallery -s "$specs" -o "$work/elsewhere.htm" "$folder")
[ -d "$work/elsewhere_files" ] || { echo "FAIL: no thumbnail folder beside the page"; exit 1; }
node "$work/check_gallery.mjs" "$work/elsewhere.htm" "$count" 1
echo "second run made no thumbnail; a page elsewhere has its thumbnails beside it"
