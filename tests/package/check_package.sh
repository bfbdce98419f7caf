#!/usr/bin/env bash
# Makes the Debian package of a build folder (in a scratch folder) and checks
# it as Debian does: lintian without any error or warning, the AppStream
# metadata and the desktop entry valid, the files a Debian user expects
# where they belong. Exits 77 (skipped) only when a tool is not installed.
#   check_package.sh BUILD_DIR
set -euo pipefail
build=$1
for tool in cpack dpkg-deb lintian appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(find "$work" -maxdepth 1 -name 'pixdeck_*.deb' | head -n1)
[ -n "$deb" ] || { echo "cpack made no package"; cat "$work/cpack.log"; exit 1; }
echo "package: $(basename "$deb")"

status=0
fail() { echo "FAIL: $*"; status=1; }

dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$work/files"
for file in /usr/bin/pixdeck /usr/bin/pixdeck-cli /usr/share/pixdeck/Bkcolors.txt \
  /usr/share/man/man1/pixdeck.1.gz /usr/share/man/man1/pixdeck-cli.1.gz \
  /usr/share/doc/pixdeck/copyright /usr/share/doc/pixdeck/changelog.gz \
  /usr/share/applications/pixdeck.desktop /usr/share/metainfo/org.example.pixdeck.metainfo.xml \
  /usr/share/bash-completion/completions/pixdeck-cli /usr/share/icons/hicolor/48x48/apps/pixdeck.png; do
  grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in sensible-utils libqt6widgets6 libc6; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = graphics ] || fail "section is $(dpkg-deb -f "$deb" Section)"

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
# The changelog's version is the package's.
changelog_version=$(zcat "$work/root/usr/share/doc/pixdeck/changelog.gz" | sed -n '1s/^pixdeck (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$(dpkg-deb -f "$deb" Version)" ] ||
  fail "changelog version '$changelog_version' is not the package's $(dpkg-deb -f "$deb" Version)"
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/org.example.pixdeck.metainfo.xml" ||
  fail "appstreamcli rejects the metadata"
grep -qF "<release version=\"$(dpkg-deb -f "$deb" Version)\"" \
  "$work/root/usr/share/metainfo/org.example.pixdeck.metainfo.xml" || fail "the metadata lacks this release"
desktop-file-validate "$work/root/usr/share/applications/pixdeck.desktop" || fail "the desktop entry is invalid"

# Lintian's own verdict; info-level notes are shown, not failed on.
if ! lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1; then
  fail "lintian:"
fi
grep -v 'running with root privileges' "$work/lintian.log" || true
exit $status
