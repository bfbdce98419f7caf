#!/usr/bin/env bash
# Takes the screenshots of pixdeck.exe under docs/ (win-*.png): the main
# window, the About box and the Options dialog, under Wine in Xvfb.
# Usage: docs/make-win-screenshots.sh [64-bit Windows build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-win64}
work=$(mktemp -d /tmp/pixdeck-winshots.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/Pictures/Holidays" "$work/Pictures/Web design"
cp "$build/bin/pixdeck.exe" "$root/data/Bkcolors.txt" "$work/bin/"
cp "$root"/samples/* "$work/Pictures/"
printf '[Options]\r\nBrowserName=C:\\windows\\notepad.exe\r\nUseRegSettings=0\r\nDefaultDir=Z:%s\r\n' \
  "$(echo "$work/Pictures" | tr / '\\')" > "$work/bin/pixdeck.INI"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
work=$1 docs=$2
"$WINE" "$work/bin/pixdeck.exe" > "$work/log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(timeout 60 xdotool search --sync --name '^Pixdeck - ' | head -n1) || { echo "no window:"; cat "$work/log"; exit 1; }
sleep 2
xdotool windowfocus --sync "$wid" || true
shot() {  # name window
  import -window "$2" "$docs/$1.png"
}
# Filter once, so that the count shows; the pointer on Filter shows its hint.
xdotool key --window "$wid" Return; sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + WIDTH - 60)) $((Y + HEIGHT * 62 / 100)); sleep 1
shot win-main-window "$wid"
xdotool key --window "$wid" alt+a; sleep 2
about=$(timeout 20 xdotool search --sync --name '^About Pixdeck$' | head -n1)
shot win-about-box "$about"
xdotool key --window "$about" Escape; sleep 1
# Options shares its access key with the page name's caption: the About
# button has the focus again, and Options is the tab stop before it.
xdotool key --window "$wid" shift+Tab; sleep 0.5
xdotool key --window "$wid" space; sleep 2
options=$(timeout 20 xdotool search --sync --name '^Options$' | head -n1)
shot win-options-dialog "$options"
xdotool key --window "$options" Escape; sleep 1
"$WINE" taskkill /im pixdeck.exe > /dev/null 2>&1 || true
wait $pid || true
SESSION
chmod +x "$work/session.sh"
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINE LANG=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  WINEPREFIX=${WINEPREFIX:-$work/prefix}
xvfb-run -a -s '-screen 0 1024x768x24' "$work/session.sh" "$work" "$root/docs"
wineserver -w || true
echo "screenshots in $root/docs: win-main-window.png win-about-box.png win-options-dialog.png"
