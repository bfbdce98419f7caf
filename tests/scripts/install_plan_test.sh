#!/usr/bin/env bash
# The install decisions of scripts/lib/apt.sh and scripts/lib/win32-plan.sh,
# over stand-ins for apt-get, dpkg, dpkg-query, the kernel and Wine: a kernel
# that starts 32-bit programs or not, wine32 installed, installable or not,
# a mirror whose update fails once, or always for an index the install does
# not need.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
export PATH="$here/stand-ins:$PATH"
export PIXDECK_APT_PAUSE=0 PIXDECK_WINE32_LOADER="$here/stand-ins/wine32"
work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-plan.XXXXXX")
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

# A case runs in a subshell of its own with a fresh state folder.
run_case() {  # run_case NAME FUNCTION
  export STATE="$work/$1"
  mkdir -p "$STATE"
  touch "$STATE/installed" "$STATE/calls" "$STATE/architectures"
  export PIXDECK_BINFMT_DIR="$STATE/binfmt"
  if (
    set -e
    . "$repo/scripts/lib/apt.sh"
    . "$repo/scripts/lib/win32-plan.sh"
    "$2"
  ) >"$STATE/out" 2>&1; then
    echo "ok   $1"
    passed=$((passed + 1))
  else
    echo "FAIL $1"
    sed 's/^/     /' "$STATE/out"
    failed=$((failed + 1))
  fi
}

expect() {  # expect DESCRIPTION COMMAND...: fails the case when COMMAND fails
  if ! "${@:2}"; then
    echo "expected: $1"
    return 1
  fi
}
has_line() { grep -qx -- "$2" "$1"; }
lacks_text() { ! grep -q -- "$2" "$1"; }
count_of() { grep -c -- "$2" "$1" || true; }

kernel_refuses() { i386_exec_probe() { echo "Exec format error"; return 1; }; }
kernel_starts() { i386_exec_probe() { return 0; }; }

case_kernel_refuses() {
  kernel_refuses
  win32_prepare 2>"$STATE/err"
  expect "a reason naming the kernel" [ "$win32_why" = "this kernel starts no 32-bit x86 programs (IA-32 emulation is off): Exec format error" ]
  expect "apt left alone" lacks_text "$STATE/calls" apt-get
  expect "no i386 architecture" lacks_text "$STATE/calls" add-architecture
}

case_emulator_in_binfmt() {
  kernel_starts
  mkdir -p "$PIXDECK_BINFMT_DIR"
  echo enabled >"$PIXDECK_BINFMT_DIR/status"
  printf 'enabled\ninterpreter /usr/libexec/qemu-binfmt/qemu-i386\n' >"$PIXDECK_BINFMT_DIR/qemu-i386"
  win32_prepare
  expect "the emulator named" [ "$win32_why" = "this kernel hands 32-bit x86 programs to an emulator (qemu-i386 in binfmt_misc), where wine32 cannot run" ]
  expect "apt left alone" lacks_text "$STATE/calls" apt-get
}

case_wine32_installed() {
  kernel_starts
  echo wine32:i386 >"$STATE/installed"
  win32_prepare
  expect "no reason" [ -z "$win32_why" ]
  expect "apt left alone" lacks_text "$STATE/calls" apt-get
}

case_wine32_installable() {
  kernel_starts
  win32_prepare
  expect "no reason" [ -z "$win32_why" ]
  expect "i386 added" has_line "$STATE/architectures" i386
  expect "wine32 installed" has_line "$STATE/installed" wine32:i386
}

case_wine32_not_installable() {
  kernel_starts
  echo wine32:i386 >"$STATE/unavailable"
  win32_prepare 2>"$STATE/err"
  expect "apt's reason" [ "$win32_why" = "wine32 cannot be installed: Package 'wine32:i386' has no installation candidate" ]
  expect "one line naming the package" has_line "$STATE/err" "cannot install wine32:i386: Package 'wine32:i386' has no installation candidate"
  expect "i386 removed again" lacks_text "$STATE/architectures" i386
}

case_update_fails_once() {
  echo 1 >"$STATE/update-failures"
  apt_install cmake wine64 2>"$STATE/err"
  expect "both installed" has_line "$STATE/installed" wine64
  expect "one retry said" [ "$(count_of "$STATE/err" 'trying again')" = 1 ]
  expect "the mirror's words passed on" grep -q 'Mirror sync in progress' "$STATE/err"
}

case_update_always_fails_for_an_index_not_needed() {
  echo 99 >"$STATE/update-failures"
  apt_install g++-mingw-w64-x86-64 2>"$STATE/err"
  expect "installed all the same" has_line "$STATE/installed" g++-mingw-w64-x86-64
  expect "said once that it goes on" [ "$(count_of "$STATE/err" 'going on with the indexes it has')" = 1 ]
}

case_one_package_unavailable() {
  echo lintian >"$STATE/unavailable"
  if apt_install cmake lintian ninja-build 2>"$STATE/err"; then
    echo "expected a failure"
    return 1
  fi
  expect "the others installed" has_line "$STATE/installed" ninja-build
  expect "only lintian failed" [ "${apt_failed[*]}" = lintian ]
  expect "one line for it" [ "$(count_of "$STATE/err" '^cannot install')" = 1 ]
}

case_nothing_missing() {
  printf 'cmake\nwine64\n' >"$STATE/installed"
  apt_install cmake wine64
  expect "no update, no install" lacks_text "$STATE/calls" apt-get
}

case_install_deps_script() {
  echo 1 >"$STATE/update-failures"
  printf '# a list\ncmake  # with a comment\n\nninja-build\n' >"$STATE/list.txt"
  "$repo/scripts/install-deps" "$STATE/list.txt" 2>"$STATE/err"
  expect "cmake installed" has_line "$STATE/installed" cmake
  expect "ninja-build installed" has_line "$STATE/installed" ninja-build
  echo lintian >"$STATE/unavailable"
  printf 'lintian\n' >"$STATE/list2.txt"
  if "$repo/scripts/install-deps" "$STATE/list2.txt" 2>"$STATE/err2"; then
    echo "expected install-deps to fail"
    return 1
  fi
  expect "the package named" grep -q "^cannot install lintian: " "$STATE/err2"
}

# The probe program itself: on this machine it either runs (exit 42) or the
# kernel's refusal comes back as the reason; never an empty answer.
case_real_probe_answers() {
  local answer status=0
  answer=$(i386_exec_probe) || status=$?
  if ((status == 0)); then
    expect "a probe that ran says nothing" [ -z "$answer" ]
  else
    expect "a reason" [ -n "$answer" ]
  fi
  expect "the probe removed" [ -z "$(find "${TMPDIR:-/tmp}" -maxdepth 1 -name 'pixdeck-i386.*' -newer "$STATE/calls" 2>/dev/null)" ]
}

for name in $(declare -F | awk '{print $3}' | grep '^case_'); do
  run_case "${name#case_}" "$name"
done
echo "$passed passed, $failed failed"
((failed == 0))
