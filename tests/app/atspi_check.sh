#!/usr/bin/env bash
# Reads the real pixdeck window over AT-SPI as a screen reader would. Starts
# its own D-Bus session, accessibility bus and X server, whatever the caller
# has: nothing of the caller's environment but PATH is passed on.
# Exits 77 (skipped) when a tool it needs is not installed.
#   atspi_check.sh PIXDECK BKCOLORS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" = --inside ]; then
  # In the fresh session: the accessibility bus first, switched on as a
  # screen reader switches it on, then the program on a display of its own.
  shift
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap 'kill $launcher 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress >/dev/null 2>&1; then
      break
    fi
    sleep 0.1
  done
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled \
    variant:boolean:true >/dev/null
  exec xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 "$here/atspi_read.py" "$1"
fi

program=$1
colors=$2
for tool in dbus-run-session dbus-send xvfb-run /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  { echo "SKIP: the Atspi introspection data (gir1.2-atspi-2.0) is not installed"; exit 77; }

work=$(mktemp -d /tmp/pixdeck-atspi.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
# A copy of the program keeps its settings file out of the build folder.
cp "$program" "$work/bin/pixdeck"
cp "$colors" "$work/bin/"
cd "$work/home"
env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
  XDG_CONFIG_HOME="$work/home/.config" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
  dbus-run-session -- "$here/atspi_check.sh" --inside "$work/bin/pixdeck"
