#!/usr/bin/env bash
# scripts/package-windows over stand-in builds: what it makes and how it is
# named, and its failures (a build, a program, makensis or zip missing,
# builds of two versions, makensis failing or the run being stopped
# half-way): one line, a non-zero exit, nothing under a final name that is
# not whole, nothing temporary left behind. The tools run from a folder of
# their own on PATH, so that a case can leave one out. The installer that
# makensis really makes is run under Wine by windows_install_check.sh.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
script="$repo/scripts/package-windows"
work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

real_makensis=$(command -v makensis || true)
real_zip=$(command -v zip || true)
real_unzip=$(command -v unzip || true)

# tools_without NAME...: a folder of the tools the script uses, without NAMEs.
tools_without() {
  local tools="$STATE/tools" tool path
  mkdir -p "$tools"
  for tool in bash sed grep mktemp rm mkdir cp stat mv tail dirname cat sleep od tr makensis zip; do
    [[ " $* " == *" $tool "* ]] && continue
    path=$(command -v "$tool") || continue
    ln -sf "$path" "$tools/$tool"
  done
  # Where no makensis is installed, the checks before it still run.
  if [[ ! -e "$tools/makensis" && " $* " != *" makensis "* ]]; then
    printf '#!/bin/sh\necho "makensis: not installed here" >&2\nexit 1\n' > "$tools/makensis"
    chmod +x "$tools/makensis"
  fi
  echo "$tools"
}

# A stand-in build of ARCH at version VERSION, with the files FILES (all
# three when none are named).
make_build() {  # make_build ARCH VERSION [FILE...]
  local build="$STATE/build-$1" file
  mkdir -p "$build/bin" "$build/generated/util"
  printf 'inline constexpr const char* kVersionText = "%s";\n' "$2" > "$build/generated/util/version.h"
  local files=("${@:3}")
  ((${#files[@]})) || files=(pixdeck.exe pixdeck-cli.exe Bkcolors.txt)
  for file in "${files[@]}"; do
    if [[ $file == Bkcolors.txt ]]; then
      printf 'Aqua=00FFFF\nBlack=000000\n' > "$build/bin/$file"
    else
      printf 'MZ %s of %s\n' "$file" "$1" > "$build/bin/$file"
    fi
  done
}

# package [ARGS...]: runs the script on the stand-in builds with PATH=$TOOLS;
# its standard error goes to $STATE/err, its output to $STATE/out.
package() {
  PIXDECK_WINDOWS_BUILD_PREFIX="$STATE/build-" PATH="$TOOLS" "$script" --out "$STATE/dist" "$@" \
    > "$STATE/out" 2> "$STATE/err"
}

run_case() {  # run_case NAME FUNCTION
  export STATE="$work/$1"
  mkdir -p "$STATE"
  # A case fails when any of its expectations failed, not only its last.
  if ("$2") > "$STATE/log" 2>&1 && [[ ! -e "$STATE/failed" ]]; then
    echo "ok   $1"
    passed=$((passed + 1))
  else
    echo "FAIL $1"
    sed 's/^/     /' "$STATE/log"
    failed=$((failed + 1))
  fi
}
expect() {  # expect DESCRIPTION COMMAND...
  if ! "${@:2}"; then
    echo "expected: $1"
    echo "$1" >> "$STATE/failed"
    [[ -f "$STATE/err" ]] && sed 's/^/  stderr: /' "$STATE/err"
    return 1
  fi
}
# The machine a Windows program is made for, from its PE header: 014c for
# 32-bit x86, 8664 for x86-64.
machine_of() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}
one_line() { [[ $(wc -l < "$STATE/err") -eq 1 ]] && grep -qF -- "$1" "$STATE/err"; }
# Nothing in the output folder but the files named (none when none are).
dist_holds() { [[ "$(cd "$STATE/dist" 2> /dev/null && ls -A | tr '\n' ' ' | sed 's/ $//')" == "$*" ]]; }

case_no_builds_names_both() {
  TOOLS=$(tools_without)
  package
  expect "exit status 1" test $? -eq 1
  expect "one line naming both builds" one_line "missing: the 32-bit MinGW build ($STATE/build-win32/bin); the 64-bit MinGW build ($STATE/build-win64/bin)"
  expect "no output folder made" test ! -e "$STATE/dist"
}

case_missing_program_is_named() {
  TOOLS=$(tools_without)
  make_build win64 1.2.1 pixdeck-cli.exe Bkcolors.txt
  package --arch win64
  expect "exit status 1" test $? -eq 1
  expect "the missing program named" one_line "missing: $STATE/build-win64/bin/pixdeck.exe"
}

case_missing_makensis_is_named() {
  TOOLS=$(tools_without makensis)
  make_build win64 1.2.1
  package --arch win64
  expect "exit status 1" test $? -eq 1
  expect "one line naming makensis and its package" one_line "missing: makensis (Debian package nsis)"
  expect "nothing made" test ! -e "$STATE/dist"
}

case_missing_zip_is_named() {
  TOOLS=$(tools_without zip)
  make_build win32 1.2.1
  make_build win64 1.2.1
  package
  expect "exit status 1" test $? -eq 1
  expect "one line naming zip" one_line "missing: zip (Debian package zip)"
}

case_builds_of_two_versions_are_refused() {
  TOOLS=$(tools_without)
  make_build win32 1.2.0
  make_build win64 1.2.1
  package
  expect "exit status 1" test $? -eq 1
  expect "both versions named" one_line "the builds differ in version (win32: 1.2.0, win64: 1.2.1)"
}

case_bad_option_exits_2() {
  TOOLS=$(tools_without)
  package --arch win16
  expect "exit status 2" test $? -eq 2
  expect "one line" one_line "--arch takes win32, win64 or both"
}

case_unwritable_output_is_named() {
  TOOLS=$(tools_without)
  make_build win64 1.2.1
  echo "a file, not a folder" > "$STATE/dist"
  package --arch win64
  expect "exit status 1" test $? -eq 1
  expect "one line naming the folder" one_line "cannot write to $STATE/dist"
  expect "the file left as it was" grep -qx "a file, not a folder" "$STATE/dist"
}

# A makensis that writes half an installer and fails.
failing_makensis() {
  TOOLS=$(tools_without makensis)
  cat > "$TOOLS/makensis" << 'EOF'
#!/bin/bash
for arg; do [[ $arg == -DOUTFILE=* ]] && printf 'MZ half' > "${arg#-DOUTFILE=}"; done
echo "Error: something went wrong in the script" >&2
exit 1
EOF
  chmod +x "$TOOLS/makensis"
}

case_failing_makensis_leaves_no_half_installer() {
  failing_makensis
  make_build win64 1.2.1
  mkdir -p "$STATE/dist"
  echo "an earlier whole installer" > "$STATE/dist/pixdeck-1.2.1-win64-setup.exe"
  package --arch win64
  expect "exit status 1" test $? -eq 1
  expect "one line with makensis's reason" one_line "makensis could not make pixdeck-1.2.1-win64-setup.exe: Error: something went wrong in the script"
  expect "the earlier installer untouched" grep -qx "an earlier whole installer" "$STATE/dist/pixdeck-1.2.1-win64-setup.exe"
  expect "no zip and nothing temporary left" dist_holds pixdeck-1.2.1-win64-setup.exe
}

case_stopped_run_leaves_nothing() {
  TOOLS=$(tools_without makensis)
  cat > "$TOOLS/makensis" << 'EOF'
#!/bin/bash
for arg; do [[ $arg == -DOUTFILE=* ]] && printf 'MZ half' > "${arg#-DOUTFILE=}"; done
sleep 1
exit 0
EOF
  chmod +x "$TOOLS/makensis"
  make_build win64 1.2.1
  PIXDECK_WINDOWS_BUILD_PREFIX="$STATE/build-" PATH="$TOOLS" "$script" --out "$STATE/dist" --arch win64 \
    > "$STATE/out" 2> "$STATE/err" &
  local pid=$!
  sleep 0.5
  kill -TERM "$pid"
  wait "$pid"
  expect "a non-zero exit" test $? -ne 0
  expect "nothing left in the output folder" dist_holds ""
}

case_makes_named_installers_and_zips() {
  if [[ -z $real_makensis || -z $real_zip || -z $real_unzip ]]; then
    echo "SKIP: makensis, zip or unzip is not installed"
    return 0
  fi
  TOOLS=$(tools_without)
  make_build win32 1.2.1
  make_build win64 1.2.1
  package
  expect "exit status 0" test $? -eq 0
  expect "nothing on standard error" test ! -s "$STATE/err"
  expect "an installer and a zip per architecture, nothing else" dist_holds \
    "pixdeck-1.2.1-win32-setup.exe pixdeck-1.2.1-win32.zip pixdeck-1.2.1-win64-setup.exe pixdeck-1.2.1-win64.zip"
  local arch
  for arch in win32 win64; do
    expect "$arch: the installer is a Windows program" test "$(head -c2 "$STATE/dist/pixdeck-1.2.1-$arch-setup.exe")" = MZ
    local machine=8664
    [[ $arch == win32 ]] && machine=014c
    expect "$arch: the installer runs on its architecture" \
      test "$(machine_of "$STATE/dist/pixdeck-1.2.1-$arch-setup.exe")" = $machine
    expect "$arch: one line for it" grep -q "^$arch: $STATE/dist/pixdeck-1.2.1-$arch-setup.exe" "$STATE/out"
    "$real_unzip" -q "$STATE/dist/pixdeck-1.2.1-$arch.zip" -d "$STATE/unzipped-$arch"
    local top="$STATE/unzipped-$arch/pixdeck-1.2.1-$arch"
    expect "$arch: the zip holds one folder with the five files" test \
      "$(cd "$STATE/unzipped-$arch" && find . -type f | LC_ALL=C sort | tr '\n' ' ')" = \
      "./pixdeck-1.2.1-$arch/Bkcolors.txt ./pixdeck-1.2.1-$arch/License.txt ./pixdeck-1.2.1-$arch/ReadMe.txt ./pixdeck-1.2.1-$arch/pixdeck-cli.exe ./pixdeck-1.2.1-$arch/pixdeck.exe "
    expect "$arch: the programs are this architecture's" cmp -s "$top/pixdeck.exe" "$STATE/build-$arch/bin/pixdeck.exe"
    expect "$arch: the read-me names the version and the bits" grep -q "^Pixdeck 1.2.1 for Windows (${arch#win}-bit)" "$top/ReadMe.txt"
    expect "$arch: text files have CR LF line ends" test -z "$(grep -v $'\r$' "$top/ReadMe.txt" "$top/License.txt" "$top/Bkcolors.txt")"
    expect "$arch: no placeholder left in the read-me" test -z "$(grep '@[A-Z]*@' "$top/ReadMe.txt")"
  done
}

run_case no_builds_names_both case_no_builds_names_both
run_case missing_program_is_named case_missing_program_is_named
run_case missing_makensis_is_named case_missing_makensis_is_named
run_case missing_zip_is_named case_missing_zip_is_named
run_case builds_of_two_versions_are_refused case_builds_of_two_versions_are_refused
run_case bad_option_exits_2 case_bad_option_exits_2
run_case unwritable_output_is_named case_unwritable_output_is_named
run_case failing_makensis_leaves_no_half_installer case_failing_makensis_leaves_no_half_installer
run_case stopped_run_leaves_nothing case_stopped_run_leaves_nothing
run_case makes_named_installers_and_zips case_makes_named_installers_and_zips

echo "$passed passed, $failed failed"
((failed == 0)) || exit 1
[[ -n $real_makensis && -n $real_zip && -n $real_unzip ]] || exit 77
