#!/usr/bin/env bash
# Starts the real pixdeck under Xvfb, finds its window by title, presses Enter
# and expects the page on disk; then Alt+X (Exit) and expects the settings.
# Usage: gui_smoke.sh <pixdeck binary> <colour file>
#        gui_smoke.sh <pixdeck binary> none|fifo|devzero
#        gui_smoke.sh --installed <build folder>
# With "none" the program has no colour file: it must say so in a box at
# start and run on. "fifo" and "devzero" put a FIFO or a link to /dev/zero in
# the colour file's place, which the program must report in the same way
# instead of hanging or running out of memory. The last form installs the build into a scratch prefix
# first and runs the installed program, whose settings must then go to the
# per-user folder.
set -euo pipefail
installed=no
if [ "$1" = --installed ]; then
  installed=yes
  build=$2
else
  program=$1
  colors=$2
fi
for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/pixdeck-smoke.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/pics" "$work/runtime"
if [ "$installed" = yes ]; then
  cmake --install "$build" --prefix "$work/usr" >/dev/null
  ln -s "$work/usr/bin/pixdeck" "$work/bin/pixdeck"
  settings=$work/config/pixdeck/pixdeck.INI
  for f in share/applications/pixdeck.desktop share/icons/hicolor/scalable/apps/pixdeck.svg \
    share/icons/hicolor/48x48/apps/pixdeck.png share/pixdeck/Bkcolors.txt bin/pixdeck-cli; do
    [ -e "$work/usr/$f" ] || { echo "not installed: $f"; exit 1; }
  done
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/usr/share/applications/pixdeck.desktop"
  fi
else
  # A copy of the program keeps its settings file out of the build folder.
  cp "$program" "$work/bin/pixdeck"
  if [ "$colors" = none ]; then
    touch "$work/expect-info"
  elif [ "$colors" = fifo ]; then
    mkfifo "$work/bin/Bkcolors.txt"
    touch "$work/expect-info"
  elif [ "$colors" = devzero ]; then
    ln -s /dev/zero "$work/bin/Bkcolors.txt"
    touch "$work/expect-info"
  else
    cp "$colors" "$work/bin/"
  fi
  settings=$work/bin/pixdeck.INI
fi
printf 'GIF89a' >"$work/pics/b.gif"
printf 'GIF89a' >"$work/pics/A.GIF"
printf '\xff\xd8\xff' >"$work/pics/c.jpg"
chmod 700 "$work/runtime"

cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
work=$1
cd "$work/pics"
# The window goes to this Xvfb, whatever platform the caller chose for Qt.
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
  BROWSER=/bin/true "$work/bin/pixdeck" >"$work/pixdeck.log" 2>&1 &
pid=$!
finish() { kill "$pid" 2>/dev/null || true; }
trap finish EXIT
if [ -e "$work/expect-info" ]; then
  info=$(timeout 20 xdotool search --sync --name '^Information$' | head -n1)
  [ -n "$info" ] || { echo "no box about the missing colour file"; exit 1; }
  xdotool windowfocus --sync "$info"
  xdotool key --clearmodifiers Return
  echo "the missing colour file was reported"
fi
wid=$(timeout 20 xdotool search --sync --name '^Pixdeck - ' | head -n1)
[ -n "$wid" ] || { echo "no window titled 'Pixdeck - ...'"; exit 1; }
echo "window $wid: $(xdotool getwindowname "$wid")"
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers Return
for _ in $(seq 50); do [ -s "$work/pics/images.htm" ] && break; sleep 0.2; done
[ -s "$work/pics/images.htm" ] || { echo "Enter wrote no page"; cat "$work/pixdeck.log"; exit 1; }
xdotool key --clearmodifiers alt+x
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then echo "Exit did not end the program"; exit 1; fi
trap - EXIT
wait "$pid"
SESSION
chmod +x "$work/session.sh"

xvfb-run -a -s "-screen 0 1024x768x24" "$work/session.sh" "$work"

page=$work/pics/images.htm
grep -q 'A.GIF' "$page" && grep -q 'b.gif' "$page" && grep -q 'c.jpg' "$page" ||
  { echo "the page lacks a picture:"; cat "$page"; exit 1; }
# The count of three, sorted without regard to case: A.GIF, b.gif, c.jpg.
order=$(grep -o -e 'A\.GIF' -e 'b\.gif' -e 'c\.jpg' "$page" | awk '!seen[$0]++' | tr '\n' ' ')
[ "$order" = "A.GIF b.gif c.jpg " ] || { echo "wrong order: $order"; exit 1; }
[ -s "$settings" ] || { echo "no settings file after Exit"; exit 1; }
grep -q "^DefaultDir=$work/pics\$" "$settings" ||
  { echo "the folder was not saved:"; cat "$settings"; exit 1; }
if [ "$installed" = yes ] && [ -e "$work/usr/bin/pixdeck.INI" ]; then
  echo "the installed program wrote its settings beside itself"; exit 1
fi
echo "smoke test passed: page and settings written to $settings"
