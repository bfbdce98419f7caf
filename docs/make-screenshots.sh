#!/usr/bin/env bash
# Takes the screenshots under docs/ from the real program under Xvfb:
# the main window, its context menu, the About box and the Options dialog.
# Usage: docs/make-screenshots.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d /tmp/pixdeck-shots.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/runtime" "$work/Pictures"
chmod 700 "$work/runtime"
cp "$build/bin/pixdeck" "$root/data/Bkcolors.txt" "$work/bin/"
cp "$root"/samples/* "$work/Pictures/" 2>/dev/null || true
mkdir -p "$work/Pictures/Holidays" "$work/Pictures/Web design"

cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
work=$1 docs=$2
cd "$work/Pictures"
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
  BROWSER=/bin/true "$work/bin/pixdeck" >"$work/log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(timeout 20 xdotool search --sync --name '^Pixdeck - ' | head -n1)
xdotool windowfocus --sync "$wid"
sleep 1
# Filter once, so the count shows, and point at the Filter button for its hint.
xdotool key --clearmodifiers Return
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$wid")"
wx=$X wy=$Y
shot() {  # name x y w h
  import -window root -crop "$4x$5+$2+$3" +repage "$docs/$1.png"
}
xdotool mousemove $((wx + 420)) $((wy + 196)); sleep 0.5
shot main-window "$wx" "$wy" 486 324
# The shared context menu of the specifications box.
xdotool mousemove $((wx + 100)) $((wy + 40)) click 3; sleep 0.7
xdotool mousemove $((wx + 150)) $((wy + 232)); sleep 0.5
shot context-menu "$wx" "$wy" 486 324
xdotool key Escape; sleep 0.3
xdotool windowfocus --sync "$wid"
# The About box.
xdotool key --clearmodifiers alt+a; sleep 1
about=$(xdotool search --name '^About Pixdeck$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$about")"
shot about-box "$X" "$Y" "$WIDTH" "$HEIGHT"
xdotool windowfocus --sync "$about"; xdotool key Escape; sleep 0.5
xdotool windowfocus --sync "$wid"
# The Options dialog ("&Options" shares its letter with "HTML &Output Name:",
# so it is clicked).
xdotool mousemove $((wx + 64)) $((wy + 276)) click 1; sleep 1
options=$(xdotool search --name '^Options$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$options")"
xdotool mousemove $((X + 100)) $((Y + 42)); sleep 0.3
shot options-dialog "$X" "$Y" "$WIDTH" "$HEIGHT"
xdotool windowfocus --sync "$options"; xdotool key Escape; sleep 0.3
SESSION
chmod +x "$work/session.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/session.sh" "$work" "$root/docs"
ls -l "$root"/docs/*.png
