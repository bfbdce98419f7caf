#!/usr/bin/env bash
# The Windows installer and portable zip, proven under Wine. scripts/test-windows
# runs this in its 64-bit prefix, inside xvfb-run, after the suites; it is no
# CTest suite, since it needs the 64-bit build and Wine.
#
#   windows_install_check.sh BUILD LOADER
#
# BUILD is the 64-bit build (its name ends in win64; the 32-bit build beside
# it is packaged too when it holds both programs), LOADER is wine64.
# WINEPREFIX names the prefix. It makes the packages with
# scripts/package-windows and then:
#   - installs silently for the current user: the files, the Start-menu
#     shortcut and the uninstall entry are there, the installed pixdeck-cli.exe
#     makes a page of C:\PICS with a colour from the installed colour file,
#     pixdeck.exe starts, shows its window under Xvfb and closes, leaving its
#     settings beside it; a silent uninstall takes away everything the
#     installer made and leaves the settings file and a page saved in that
#     folder;
#   - installs silently as the elevated installer that Wine runs (for all
#     users, under Program Files) and into a folder chosen with /D=, and
#     uninstalls again without a trace;
#   - unpacks the zip into a folder whose name has blanks and letters outside
#     ASCII, where its pixdeck-cli.exe reads the settings beside it and makes
#     the page.
# Prints one "ok" or "FAIL" line a check; the exit status is 1 when one failed.
set -uo pipefail
export LANG=C.UTF-8 LC_ALL=C.UTF-8

build=$1 loader=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
arch=win64
drive_c="$WINEPREFIX/drive_c"
logs="$build/test-logs/install"
out="$build/package"
rm -rf "$logs"
mkdir -p "$logs"
status=0
started=$SECONDS
# Wine would turn the Start-menu shortcuts into desktop entries in the
# home folder, outside the prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

ok() { echo "ok   install: $1"; }
fail() {
  echo "FAIL install: $1"
  status=1
}
# check DESCRIPTION COMMAND...: one line for the check, ok or FAIL.
check() {
  if "${@:2}"; then ok "$1"; else fail "$1"; fi
}
# A Windows program; its output goes to the log named first.
win() {  # win LOG PROGRAM ARGS...
  timeout 120 "$loader" "${@:2}" >> "$logs/$1.log" 2>&1
}
# The Linux path of a Windows path on drive C:.
unix_path() {
  local rest=${1#[Cc]:}
  echo "$drive_c${rest//\\//}"
}
# Every file and folder under C:, one a line, sorted.
snapshot() { (cd "$drive_c" && find . -mindepth 1 | LC_ALL=C sort) > "$1"; }
# The uninstaller runs from a copy of itself and returns at once: the copy is
# done when Wine's last process has ended.
wait_for_wine() { timeout 120 wineserver -w; }

# The pictures of the stage's page check, when this runs on its own.
if [[ ! -d "$drive_c/PICS" ]]; then
  mkdir -p "$drive_c/PICS"
  cp "$repo/samples/"*.gif "$repo/samples/"*.jpg "$drive_c/PICS/"
fi
mkdir -p "$drive_c/OUT"

# ---- the packages ----
prefix=${build%"$arch"}
package_archs=(--arch win64)
if [[ -f "${prefix}win32/bin/pixdeck.exe" && -f "${prefix}win32/bin/pixdeck-cli.exe" ]]; then
  package_archs=(--arch both)
fi
if ! PIXDECK_WINDOWS_BUILD_PREFIX=$prefix "$repo/scripts/package-windows" "${package_archs[@]}" \
  --out "$out" > "$logs/package.log" 2>&1; then
  fail "scripts/package-windows failed: $(tail -n1 "$logs/package.log")"
  exit 1
fi
sed 's/^/     /' "$logs/package.log"
shopt -s nullglob
setups=("$out"/pixdeck-*-"$arch"-setup.exe)
zips=("$out"/pixdeck-*-"$arch".zip)
if ((${#setups[@]} != 1 || ${#zips[@]} != 1)); then
  fail "no single installer and zip for $arch in $out"
  exit 1
fi
setup=${setups[0]}
name=$(basename "${zips[0]}" .zip)  # pixdeck-<version>-win64
version=${name#pixdeck-}
version=${version%-"$arch"}
unzip -q -o "${zips[0]}" -d "$logs/zip" || fail "the zip does not unpack"
shipped="$logs/zip/$name"
check "the zip holds its folder $name with the programs, the colours, the licence and the read-me" \
  test "$(cd "$shipped" && ls | LC_ALL=C sort | tr '\n' ' ')" = \
  "Bkcolors.txt License.txt ReadMe.txt pixdeck-cli.exe pixdeck.exe "

# Wine's folders, as Windows names them.
mapfile -t folders < <(timeout 60 "$loader" cmd /c \
  'echo %LOCALAPPDATA%&echo %APPDATA%&echo %ProgramData%&echo %ProgramFiles%' 2> /dev/null | tr -d '\r')
if ((${#folders[@]} < 4)); then
  fail "Wine names no user folders"
  exit 1
fi
user_menu="$(unix_path "${folders[1]}")/Microsoft/Windows/Start Menu/Programs"
common_menu="$(unix_path "${folders[2]}")/Microsoft/Windows/Start Menu/Programs"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Pixdeck'
colour=$(head -n1 "$shipped/Bkcolors.txt" | tr -d '\r')  # Name=RRGGBB
colour_name=${colour%%=*} colour_code=${colour#*=}
blue_circle="<IMG SRC=\"file:///C|\\PICS\\Blue Circle.gif\"><BR>Blue Circle.gif ($(stat -c %s "$drive_c/PICS/Blue Circle.gif") bytes)<P>"

# has_line FILE LINE: the page (CR LF or LF) holds that exact line.
has_line() { tr -d '\r' < "$1" | grep -qxF -- "$2"; }
# The page of C:\PICS, with the first colour of the table as its background.
coloured_page() { has_line "$1" "$blue_circle" && grep -q "BGCOLOR=#$colour_code" "$1"; }
# same_files DIR: DIR holds each shipped file, byte for byte.
same_files() {
  local file
  for file in "$shipped"/*; do
    cmp -s "$file" "$1/$(basename "$file")" || return 1
  done
}
# The uninstall entry under ROOT (HKCU or HKLM), as reg prints it.
# reg writes in the console's code page (437 in Wine's C.UTF-8 locale).
entry_of() {
  timeout 60 "$loader" reg query "$1\\$uninstall_key" 2> /dev/null | iconv -f CP437 -t UTF-8 | tr -d '\r'
}
has_value() {  # has_value ENTRY NAME VALUE
  grep -qE "^ +$2 +REG_(SZ|DWORD) +$(printf '%s' "$3" | sed 's/[][\.*^$()|+?{}]/\\&/g')\$" <<< "$1"
}
# check_entry ROOT FOLDER(Windows): the entry names this version, the
# publisher, the folder and its uninstaller.
check_entry() {
  local entry
  entry=$(entry_of "$1")
  has_value "$entry" DisplayName Pixdeck && has_value "$entry" DisplayVersion "$version" &&
    has_value "$entry" Publisher "The Pixdeck project" &&
    has_value "$entry" InstallLocation "$2" &&
    has_value "$entry" UninstallString "\"$2\\uninstall.exe\"" &&
    has_value "$entry" QuietUninstallString "\"$2\\uninstall.exe\" /S"
}
gone_with_entry() { [[ ! -e "$1" ]] && no_entry HKCU; }
no_entry() { ! timeout 60 "$loader" reg query "$1\\$uninstall_key" > /dev/null 2>&1; }
# The shortcut starts the installed window program.
shortcut_to() {  # shortcut_to LNK FOLDER(Windows)
  [[ -f "$1" ]] && tr -d '\0' < "$1" | grep -qiF -- "$2\\pixdeck.exe"
}
# new_entries BEFORE AFTER: what is under C: now and was not before, but for
# the uninstaller's copy of itself in the temporary folder, which it cannot
# remove while it runs: that must be marked for removal at the next start.
new_entries() {
  local pending
  # Wine's reg cannot show that list (REG_MULTI_SZ); its registry file,
  # written when Wine's last process has ended, holds it.
  pending=$(grep -i '^"PendingFileRenameOperations"=' "$WINEPREFIX/system.reg")
  pending=${pending//\\\\//}
  LC_ALL=C comm -13 "$1" "$2" | while IFS= read -r entry; do
    if [[ $entry =~ /Temp/~nsu[0-9]*\.tmp(/Un\.exe)?$ ]] && grep -qiF -- "${entry#./}" <<< "$pending"; then
      continue
    fi
    echo "$entry"
  done
}
gone_entries() { LC_ALL=C comm -23 "$1" "$2"; }
# exactly FILE TEXT: FILE's lines are TEXT's lines.
exactly() { [[ "$(cat "$1")" == "$2" ]]; }

# ---- 1. For the current user, in the default folder ----
# What an earlier run of these checks left on purpose goes first.
rm -rf "$drive_c/OUT/installed.htm" "$(unix_path "${folders[0]}")/Programs/Pixdeck"
snapshot "$logs/before-user.txt"
win setup-user "$setup" /S /CurrentUser
check "the per-user silent install exits 0" test $? -eq 0
dir_w="${folders[0]}\\Programs\\Pixdeck"
dir=$(unix_path "$dir_w")
check "the files are installed in %LOCALAPPDATA%\\Programs\\Pixdeck" same_files "$dir"
check "the uninstaller is beside them" test -f "$dir/uninstall.exe"
check "the Start-menu shortcut of the user starts pixdeck.exe" shortcut_to "$user_menu/Pixdeck.lnk" "$dir_w"
check "the user's list of installed programs has Pixdeck $version with publisher and uninstaller" \
  check_entry HKCU "$dir_w"
check "the machine's list stays as it was" no_entry HKLM

win cli-installed "$dir_w\\pixdeck-cli.exe" --color "$colour_name" --base file:/// \
  --output 'C:\OUT\installed.htm' 'C:\PICS'
check "the installed pixdeck-cli.exe makes a page of C:\\PICS with a colour of the installed table" \
  coloured_page "$drive_c/OUT/installed.htm"
win cli-installed "$dir_w\\pixdeck-cli.exe" --output "$dir_w\\my page.htm" 'C:\PICS'

# The window: started from the installed folder, shown, closed as a user
# closes it (WM_CLOSE), which saves its settings.
timeout 60 "$loader" "$dir_w\\pixdeck.exe" >> "$logs/window.log" 2>&1 &
window_pid=$!
shown=0
if timeout 60 xdotool search --sync --onlyvisible --name '^Pixdeck' > "$logs/window-id.txt" 2>> "$logs/window.log"; then
  shown=1
fi
check "the installed pixdeck.exe shows its window" test $shown -eq 1
win window taskkill /im pixdeck.exe
window_status=0
wait "$window_pid" || window_status=$?
check "pixdeck.exe closes on WM_CLOSE with exit status 0" test "$window_status" -eq 0
check "the window keeps its settings beside it, in the folder the user may write" \
  test -f "$dir/pixdeck.INI"

win uninstall-user "$dir_w\\uninstall.exe" /S
wait_for_wine
snapshot "$logs/after-user.txt"
check "the uninstaller leaves only the settings file and the user's page in the folder" \
  test "$(cd "$dir" 2> /dev/null && ls | LC_ALL=C sort | tr '\n' '/')" = "my page.htm/pixdeck.INI/"
check "the shortcut is gone" test ! -e "$user_menu/Pixdeck.lnk"
check "the uninstall entry is gone" no_entry HKCU
local_programs=${dir#"$drive_c"}
local_programs=".${local_programs%/Pixdeck}"
new_entries "$logs/before-user.txt" "$logs/after-user.txt" > "$logs/left-user.txt"
# The per-user programs folder stays when the install made it: it holds the
# folder with the settings.
check "nothing else of the install is left under C: (see $logs/left-user.txt)" exactly "$logs/left-user.txt" \
  "$(
    {
      grep -Fx "$local_programs" "$logs/left-user.txt"
      printf '%s\n' "$local_programs/Pixdeck" "$local_programs/Pixdeck/my page.htm" \
        "$local_programs/Pixdeck/pixdeck.INI" ./OUT/installed.htm
    } | LC_ALL=C sort
  )"
check "nothing that was there before is gone" test -z "$(gone_entries "$logs/before-user.txt" "$logs/after-user.txt")"

# ---- 2. Elevated: for all users, under Program Files ----
snapshot "$logs/before-machine.txt"
win setup-machine "$setup" /S
check "the elevated silent install exits 0" test $? -eq 0
dir_w="${folders[3]}\\Pixdeck"
dir=$(unix_path "$dir_w")
check "an elevated install goes to Program Files" same_files "$dir"
check "the shortcut for all users starts pixdeck.exe" shortcut_to "$common_menu/Pixdeck.lnk" "$dir_w"
check "the machine's list of installed programs has Pixdeck $version" check_entry HKLM "$dir_w"
check "the user's list stays as it was" no_entry HKCU
win uninstall-machine "$dir_w\\uninstall.exe" /S
wait_for_wine
snapshot "$logs/after-machine.txt"
check "the uninstall entry for all users is gone" no_entry HKLM
check "uninstalling for all users leaves nothing under C:" \
  test -z "$(new_entries "$logs/before-machine.txt" "$logs/after-machine.txt")$(gone_entries "$logs/before-machine.txt" "$logs/after-machine.txt")"

# ---- 3. A folder chosen with /D=, blanks and letters outside ASCII in it ----
dir_w='C:\Mes programmes\Pixdeck Ünïcödé'
dir=$(unix_path "$dir_w")
# The installer reads /D= from its command line as typed, unquoted, which
# only cmd passes on as it stands.
win setup-chosen cmd /c "Z:${setup//\//\\} /S /CurrentUser /D=$dir_w"
wait_for_wine
check "/D= installs into the chosen folder" same_files "$dir"
check "the entry names the chosen folder" check_entry HKCU "$dir_w"
win uninstall-chosen "$dir_w\\uninstall.exe" /S
wait_for_wine
check "the chosen folder goes with the uninstall, and its entry" gone_with_entry "$dir"
rmdir "$drive_c/Mes programmes" 2> /dev/null

# ---- 4. The portable zip, from a folder with blanks and letters outside ASCII ----
portable="$drive_c/Portable Pixdeck Ünïcödé 日本"
rm -rf "$portable" "$drive_c/OUT/portable page.htm"
mkdir -p "$portable"
unzip -q "${zips[0]}" -d "$portable"
portable_w="C:\\Portable Pixdeck Ünïcödé 日本\\$name"
printf '[Options]\r\nOutputName=C:\\OUT\\portable page.htm\r\n' > "$portable/$name/pixdeck.INI"
win cli-portable "$portable_w\\pixdeck-cli.exe" --color "$colour_name" --base file:/// 'C:\PICS'
check "the zip's pixdeck-cli.exe runs from $portable_w with the settings beside it" \
  coloured_page "$drive_c/OUT/portable page.htm"

# The next start of Windows removes what the uninstallers marked.
timeout 120 "$loader" wineboot -r > /dev/null 2>&1
wait_for_wine
check "the uninstallers' own copies go at the next start" \
  test -z "$(find "$drive_c/users" -path '*/Temp/~nsu*' -print -quit)"
echo "     installer checks: $((SECONDS - started)) s"
((status == 0)) || echo "     logs: $logs"
exit $status
