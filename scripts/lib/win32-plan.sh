# Shell functions that decide whether the 32-bit Windows suites can run here,
# installing wine32 only where it can. Sourced by scripts/test-windows (after
# scripts/lib/apt.sh).
#
#   win32_prepare    sets win32_why: empty when wine32 is in place and runs,
#                    else one line saying why the 32-bit suites cannot run
#
# The kernel is asked first, with a 32-bit x86 program of 96 bytes that this
# script writes itself: wine32 is about 1.3 GB of i386 packages, useless
# where the kernel refuses such programs, and the i386 architecture it needs
# makes every later `apt-get update` fetch indexes that a mirror mid-sync may
# serve broken.

binfmt_dir=${PIXDECK_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}
wine32_loader=${PIXDECK_WINE32_LOADER:-/usr/lib/wine/wine}

# Runs a static 32-bit x86 ELF program that exits with 42 (mov ebx, 42;
# mov eax, 1; int 0x80). Prints what went wrong when it did not.
i386_exec_probe() {
  local probe status answer
  probe=$(mktemp "${TMPDIR:-/tmp}/pixdeck-i386.XXXXXX") || { echo "cannot write a probe program"; return 1; }
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
  # ELF header: executable, i386, entry 0x08048054, one program header at 52.
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$probe"
  # One loadable segment of 96 bytes at 0x08048000, readable and executable.
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$probe"
  printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
  printf '\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' >>"$probe"
  chmod 700 "$probe"
  status=0
  answer=$("$probe" 2>&1) || status=$?
  rm -f "$probe"
  ((status == 42)) && return 0
  answer=${answer##*: }
  echo "${answer:-the probe exited with $status}"
  return 1
}

# Why this kernel cannot run wine32, or nothing when it can.
i386_unstartable() {
  local entry answer
  # A kernel that hands 32-bit x86 programs to an emulator starts the probe,
  # but Wine's loader cannot map its memory there.
  if grep -qsx enabled "$binfmt_dir/status"; then
    for entry in "$binfmt_dir"/*; do
      [[ $(basename "$entry") == status || $(basename "$entry") == register ]] && continue
      if grep -qsx enabled "$entry" && grep -qs '^interpreter .*qemu-i386' "$entry"; then
        echo "this kernel hands 32-bit x86 programs to an emulator ($(basename "$entry") in binfmt_misc), where wine32 cannot run"
        return
      fi
    done
  fi
  if ! answer=$(i386_exec_probe); then
    echo "this kernel starts no 32-bit x86 programs (IA-32 emulation is off): $answer"
  fi
}

win32_prepare() {
  win32_why=$(i386_unstartable)
  [[ -z $win32_why ]] || return 0
  if ! apt_installed wine32:i386; then
    local added=0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      dpkg --add-architecture i386
      added=1
    fi
    if ! apt_install wine32:i386; then
      win32_why="wine32 cannot be installed: ${apt_reason[wine32:i386]:-apt gave no reason}"
      # Nothing of i386 came in: the architecture goes again, so that later
      # updates do not fetch its indexes for nothing.
      if ((added)) && ! dpkg-query -W -f='${Architecture}\n' 2>/dev/null | grep -qx i386; then
        dpkg --remove-architecture i386 || true
      fi
      return 0
    fi
  fi
  local answer
  if ! answer=$("$wine32_loader" --version 2>&1) || [[ $answer != wine-* ]]; then
    win32_why="wine32 does not start: ${answer:-no answer}"
  fi
}
