#!/usr/bin/env bash
# Makes pages of the sample pictures and of awkward names with pixdeck-cli and
# has Debian's chromium load them (tests/page_check/check_page.mjs). Exits 77
# (skipped) only when node, npm or chromium is not installed.
#   run_page_check.sh PIXDECK_CLI SAMPLES_DIR WORK_DIR
set -euo pipefail
cli=$1 samples=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
chromium=${CHROMIUM:-/usr/bin/chromium}

for tool in node npm; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$chromium" ] || { echo "skipped: $chromium is not installed"; exit 77; }

# playwright-core from the lock file, in the build tree; it never fetches a
# browser of its own.
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/check_page.mjs" "$work/"
if ! cmp -s "$here/package-lock.json" "$work/installed-lock.json" 2>/dev/null; then
  (cd "$work" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$work/installed-lock.json"
fi
export CHROMIUM=$chromium

count=$(find "$samples" -maxdepth 1 -type f \( -iname '*.gif' -o -iname '*.jpg' \) | wc -l)

# The page beside the pictures refers to them by bare name ...
pictures="$work/pictures"
rm -rf "$pictures" && mkdir -p "$pictures"
cp "$samples"/* "$pictures/"
"$cli" -c White -p tile.gif "$pictures"
node "$work/check_page.mjs" "$pictures/images.htm" "$count"

# ... a page elsewhere refers to them by file URL.
"$cli" -o "$work/elsewhere.htm" "$samples"
node "$work/check_page.mjs" "$work/elsewhere.htm" "$count"

# ... and so does a folder of awkward names: stars, blanks at the ends and in
# runs, bytes that are not UTF-8, control characters, markup that must not
# run, a right-to-left override and a Hebrew name, links; the
# page's own name is as long as a folder allows.
odd="$work/odd names"
rm -rf "$odd" && mkdir -p "$odd"
names=('*star.gif' 'a*b.gif' ' c.jpg' 'd.jpg ' $'caf\xe9.gif' $'line\nfeed.gif' $'tab\tand\rcr.jpg'
  '100%41.gif' 'hash#1?.gif' 'back\slash.gif' '&amp;.gif' '<img src=x onerror=alert(1)>.gif'
  '" onerror="alert(2)" x=".jpg' $'\xe6\x97\xa5 \xc3\xa9t\xc3\xa9.jpg' 'two  blanks.gif' ' both ends .gif'
  $'a\xe2\x80\xaegpj.evil.gif' $'\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d 1.jpg')
for name in "${names[@]}"; do
  case $name in
    *.jpg*) cp "$samples/sunset.jpg" "$odd/$name" ;;
    *) cp "$samples/tile.gif" "$odd/$name" ;;
  esac
done
ln -s '*star.gif' "$odd/link to star.gif"
ln -s "$(cd "$samples" && pwd)/sunset.jpg" "$odd/link to sunset.jpg"
# Listed by no pattern: an overlong "." is no dot.
cp "$samples/tile.gif" "$odd/"$'x\xc0\xaegif'
page=$(printf 'p%.0s' $(seq 251)).htm
"$cli" -s '*.gif*;*.jpg*' -o "$page" "$odd"
node "$work/check_page.mjs" "$odd/$page" $((${#names[@]} + 2))
