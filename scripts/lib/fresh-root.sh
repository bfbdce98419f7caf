# Shell functions that make a minimal Debian 12 root to try Pixdeck on, as a
# new machine would be: debootstrap's minbase variant with this machine's apt
# sources and CA certificates (so that the package registries answer as they
# do here), and the mounts of a real system. Sourced by scripts/test-fresh
# and scripts/test-install.
#
# The bootstrapped base is kept as a tarball in $PIXDECK_FRESH_CACHE
# (default /var/cache/pixdeck-fresh) so that later runs do not fetch it again;
# roots are made under $PIXDECK_FRESH_WORK (default /var/tmp) and removed on
# every way out, unless PIXDECK_FRESH_KEEP=1.

fresh_cache=${PIXDECK_FRESH_CACHE:-/var/cache/pixdeck-fresh}
fresh_work=${PIXDECK_FRESH_WORK:-/var/tmp}
fresh_roots=()
fresh_mounts=()

fresh_die() {  # one line on stderr, then out
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# The first bookworm mirror that this machine's apt uses.
fresh_mirror() {
  local mirror=""
  if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null; then
    mirror=$(awk '
      /^[[:space:]]*$/ { if (uri != "" && suites ~ /(^| )bookworm( |$)/) { print uri; exit } uri = ""; suites = "" }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { $1 = ""; suites = $0 " " }
      END { if (uri != "" && suites ~ /(^| )bookworm( |$)/) print uri }
    ' /etc/apt/sources.list.d/*.sources | head -n1)
  fi
  if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
    mirror=$(awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' /etc/apt/sources.list)
  fi
  [ -n "$mirror" ] || fresh_die "this machine's apt sources name no bookworm mirror"
  echo "$mirror"
}

# The npm registry this machine's npm uses, as host and port.
fresh_npm_registry() {
  local registry
  registry=$(npm config get registry 2>/dev/null) || registry=
  [ -n "$registry" ] || fresh_die "npm is not installed here, so its registry is unknown"
  local host=${registry#*://}
  host=${host%%/*}
  local port=443
  [[ $registry == http://* ]] && port=80
  [[ $host == *:* ]] && { port=${host##*:}; host=${host%:*}; }
  echo "$host $port"
}

# Can host:port be reached within 10 s?
fresh_reachable() {
  timeout 10 bash -c "exec 3<>/dev/tcp/$1/$2" 2>/dev/null
}

# Root, debootstrap, chroot and the registries: what every run needs, checked
# before anything is made or mounted.
fresh_require() {
  [ "$(id -u)" -eq 0 ] || fresh_die "must run as root (it bootstraps a Debian root and mounts into it)"
  if ! command -v debootstrap >/dev/null; then
    . "$(dirname "${BASH_SOURCE[0]}")/apt.sh"
    apt_install debootstrap || fresh_die "cannot install debootstrap: ${apt_reason[debootstrap]}"
  fi
  command -v chroot >/dev/null || fresh_die "chroot is not installed"
  local mirror host port
  mirror=$(fresh_mirror) && [ -n "$mirror" ] || exit 1
  host=${mirror#*://}
  host=${host%%/*}
  port=80
  [[ $mirror == https://* ]] && port=443
  fresh_reachable "$host" "$port" || fresh_die "no network access to the Debian mirror $mirror"
  local npm_host npm_port
  read -r npm_host npm_port < <(fresh_npm_registry)
  [ -n "$npm_host" ] || exit 1
  fresh_reachable "$npm_host" "$npm_port" || fresh_die "no network access to the npm registry ($npm_host)"
}

# The base tarball, bootstrapped on first use, in fresh_tarball.
fresh_base() {
  local tarball=$fresh_cache/bookworm-minbase.tar.gz
  fresh_tarball=$tarball
  if [ ! -s "$tarball" ]; then
    mkdir -p "$fresh_cache"
    local base
    base=$(mktemp -d "$fresh_work/pixdeck-base.XXXXXX") || fresh_die "cannot make a folder in $fresh_work"
    fresh_roots+=("$base")
    chmod 755 "$base"
    echo "== bootstrapping Debian 12 (minbase) from $(fresh_mirror) into $base" >&2
    debootstrap --variant=minbase --include=ca-certificates bookworm "$base" "$(fresh_mirror)" \
      >"$fresh_cache/debootstrap.log" 2>&1 ||
      fresh_die "debootstrap failed; log: $fresh_cache/debootstrap.log"
    # This machine's sources (and nothing else), and its certificates: the
    # registries may answer only through this machine's certificate authority.
    rm -f "$base/etc/apt/sources.list"
    if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null; then
      cp /etc/apt/sources.list.d/*.sources "$base/etc/apt/sources.list.d/"
    else
      echo "deb $(fresh_mirror) bookworm main" >"$base/etc/apt/sources.list"
    fi
    if compgen -G "/usr/local/share/ca-certificates/*" >/dev/null; then
      cp -r /usr/local/share/ca-certificates/* "$base/usr/local/share/ca-certificates/"
    fi
    chroot "$base" /usr/sbin/update-ca-certificates >/dev/null 2>&1 ||
      fresh_die "update-ca-certificates failed in the new root"
    # Downloaded packages and lists go; apt's own folders (partial/, owned
    # by its download user) stay as debootstrap made them.
    find "$base/var/cache/apt/archives" "$base/var/lib/apt/lists" -maxdepth 1 -type f -delete
    tar -C "$base" -czf "$tarball.part" . || fresh_die "cannot write $tarball"
    mv "$tarball.part" "$tarball"
    fresh_remove_root "$base"
    fresh_roots=("${fresh_roots[@]/$base/}")
  fi
}

# A new root from the base tarball, its mounts in place, in fresh_root.
fresh_make_root() {
  local dir
  fresh_base
  dir=$(mktemp -d "$fresh_work/pixdeck-fresh.XXXXXX") || fresh_die "cannot make a folder in $fresh_work"
  fresh_roots+=("$dir")
  tar -C "$dir" -xzf "$fresh_tarball" || fresh_die "cannot unpack $fresh_tarball"
  # The root's / as on a real system: every user may enter it (mktemp made
  # it the owner's alone, and so it may be in an older tarball).
  chmod 755 "$dir"
  cp /etc/resolv.conf "$dir/etc/resolv.conf" 2>/dev/null || true
  fresh_mount "$dir"
  fresh_root=$dir
}

fresh_mount_one() {  # fresh_mount_one TARGET MOUNT-ARGUMENTS...
  local target=$1
  shift
  mount "$@" "$target" || fresh_die "cannot mount $target"
  fresh_mounts+=("$target")
  # Nothing mounted below a bind of the host's folders may show on the host.
  mount --make-private "$target" || fresh_die "cannot make $target private"
}

# What a real system has mounted: the root itself (so that / shows in
# /proc/mounts), proc, sys, dev, dev/pts, and tmpfs on /dev/shm and /tmp.
fresh_mount() {
  local dir=$1
  fresh_mount_one "$dir" --bind "$dir"
  fresh_mount_one "$dir/proc" -t proc proc
  fresh_mount_one "$dir/sys" --bind /sys
  fresh_mount_one "$dir/dev" --bind /dev
  fresh_mount_one "$dir/dev/pts" --bind /dev/pts
  fresh_mount_one "$dir/dev/shm" -t tmpfs -o mode=1777 tmpfs
  fresh_mount_one "$dir/tmp" -t tmpfs -o mode=1777 tmpfs
}

# Runs a command line in the root as a new machine's root user would: a login
# shell with a clean environment (no LANG, no DISPLAY).
# Started in the background and waited for, so that a signal to the script
# reaches its trap at once (the trap then ends what runs inside).
fresh_run() {  # fresh_run ROOT COMMAND-LINE
  env -i HOME=/root TERM=xterm /usr/sbin/chroot "$1" /bin/bash -lc "$2" </dev/null &
  wait $!
}

# Ends what still runs inside a root (an X server, wineserver), by process id.
fresh_stop_processes() {
  local dir proc pid
  dir=$(readlink -f "$1")
  for proc in /proc/[0-9]*; do
    pid=${proc#/proc/}
    [ "$pid" = $$ ] && continue
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$dir" ] && kill -TERM "$pid" 2>/dev/null
  done
  sleep 1
  for proc in /proc/[0-9]*; do
    pid=${proc#/proc/}
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$dir" ] && kill -KILL "$pid" 2>/dev/null
  done
  return 0
}

fresh_unmount_all() {
  local i
  for ((i = ${#fresh_mounts[@]} - 1; i >= 0; i--)); do
    umount "${fresh_mounts[i]}" 2>/dev/null || umount -l "${fresh_mounts[i]}" ||
      echo "$(basename "$0"): could not unmount ${fresh_mounts[i]}" >&2
  done
  fresh_mounts=()
}

fresh_remove_root() {
  rm -rf --one-file-system "$1"
}

# The trap of every script that sources this file: stops, unmounts, removes.
fresh_cleanup() {
  local dir
  for dir in "${fresh_roots[@]}"; do [ -n "$dir" ] && fresh_stop_processes "$dir"; done
  fresh_unmount_all
  if [ "${PIXDECK_FRESH_KEEP:-0}" = 1 ]; then
    [ ${#fresh_roots[@]} -gt 0 ] && echo "kept: ${fresh_roots[*]}" >&2
  else
    for dir in "${fresh_roots[@]}"; do
      [ -n "$dir" ] || continue
      # Only once nothing is mounted below it any more.
      if ! grep -qs " $dir[/ ]" /proc/mounts; then fresh_remove_root "$dir"; fi
    done
  fi
  fresh_roots=()
}
