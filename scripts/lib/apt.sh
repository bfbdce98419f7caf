# Shell functions that install Debian packages on a machine whose mirror may
# be briefly inconsistent (mid-sync: an index of the wrong size, a package
# list that no longer matches its files). Sourced by scripts/install-deps and
# scripts/test-windows.
#
#   apt_install PKG...    installs those of PKG that are missing
#
# `apt-get update` is tried a few times with a pause; an index that still
# fails does not stop the install, since the packages wanted may not need it
# (an i386 index of the security suite, say). An install that fails is tried
# again after a fresh update; what still fails is tried package by package, so
# that the rest goes in, and each package that cannot be installed is named in
# one line with apt's reason, kept in apt_failed and apt_reason[PKG].
# apt never asks and never waits long on another apt's lock.
#
# PIXDECK_APT_TRIES (default 4) and PIXDECK_APT_PAUSE (seconds, default 15)
# tune the retries.

apt_failed=()
declare -gA apt_reason=()

apt_tries=${PIXDECK_APT_TRIES:-4}
apt_pause=${PIXDECK_APT_PAUSE:-15}
# dpkg skips its fsync after every unpacked file (as Debian's own build
# chroots do): an install takes a fraction of the time, and a machine that
# loses power in the middle may need that install repeated.
apt_options=(-o DPkg::Lock::Timeout=300 -o Acquire::Retries=3 -o APT::Get::Assume-Yes=true
  -o DPkg::Options::=--force-unsafe-io)

apt_installed() {  # apt_installed PKG: is PKG (PKG:ARCH) installed?
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

apt_missing() {  # apt_missing PKG...: prints those not installed, one a line
  local pkg
  for pkg in "$@"; do
    apt_installed "$pkg" || echo "$pkg"
  done
}

# apt's reason in one line: the first unmet dependency, else the first error
# that says more than "some index files failed" or "held broken packages",
# else the last line of all.
apt_last_error() {  # apt_last_error LOG
  local line
  line=$(grep -m1 -E ' : (Pre)?Depends: ' "$1" | sed 's/^[[:space:]]*//;s/[[:space:]]\{2,\}/ /g') || true
  [ -n "$line" ] || line=$(grep -E '^E: ' "$1" |
    grep -v -e 'Unable to correct problems' -e 'Some index files failed' | head -n1) || true
  [ -n "$line" ] || line=$(grep -v '^[[:space:]]*$' "$1" | tail -n1) || true
  line=${line#E: }
  echo "${line:-apt gave no reason}"
}

# apt-get update, tried up to apt_tries times. Never fails: an index that
# cannot be had is reported, and the install that follows tells whether it
# mattered.
apt_update() {
  local try log
  log=$(mktemp "${TMPDIR:-/tmp}/pixdeck-apt.XXXXXX")
  for ((try = 1; try <= apt_tries; try++)); do
    if DEBIAN_FRONTEND=noninteractive apt-get "${apt_options[@]}" update -qq >"$log" 2>&1 </dev/null; then
      rm -f "$log"
      return 0
    fi
    if ((try < apt_tries)); then
      echo "apt-get update failed ($(apt_last_error "$log")); trying again in ${apt_pause} s" >&2
      sleep "$apt_pause"
    fi
  done
  echo "apt-get update failed $apt_tries times, going on with the indexes it has: $(apt_last_error "$log")" >&2
  rm -f "$log"
  return 0
}

apt_get_install() {  # apt_get_install LOG PKG...
  local log=$1
  shift
  DEBIAN_FRONTEND=noninteractive apt-get "${apt_options[@]}" install -qq \
    --no-install-recommends "$@" >"$log" 2>&1 </dev/null
}

apt_install() {  # apt_install PKG...: 0 when every PKG is installed afterwards
  apt_failed=()
  apt_reason=()
  local missing pkg try log
  mapfile -t missing < <(apt_missing "$@")
  ((${#missing[@]})) || return 0
  echo "Installing: ${missing[*]}"
  log=$(mktemp "${TMPDIR:-/tmp}/pixdeck-apt.XXXXXX")
  for ((try = 1; try <= 2; try++)); do
    apt_update
    if apt_get_install "$log" "${missing[@]}"; then
      rm -f "$log"
      return 0
    fi
    echo "apt-get install failed ($(apt_last_error "$log"))" >&2
    ((try < 2)) && sleep "$apt_pause"
  done
  # One at a time: what can go in does, and what cannot is named.
  for pkg in "${missing[@]}"; do
    apt_installed "$pkg" && continue
    if ! apt_get_install "$log" "$pkg"; then
      apt_failed+=("$pkg")
      apt_reason[$pkg]=$(apt_last_error "$log")
      echo "cannot install $pkg: ${apt_reason[$pkg]}" >&2
    fi
  done
  rm -f "$log"
  ((${#apt_failed[@]} == 0))
}
