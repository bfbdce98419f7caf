#!/usr/bin/env bash
# The manual pages made at build time say what the programs' --help says:
# every option in it, the version, and the sections that --help lacks.
# Exits 77 (skipped) only when man is not installed.
#   check_man_pages.sh MAN_DIR PIXDECK PIXDECK_CLI
set -euo pipefail
man_dir=$1
shift
command -v man >/dev/null || { echo "skipped: man is not installed"; exit 77; }
export LC_ALL=C.UTF-8 MANWIDTH=200
status=0
for program in "$@"; do
  name=$(basename "$program")
  page=$man_dir/$name.1.gz
  [ -s "$page" ] || { echo "FAIL: no manual page $page"; status=1; continue; }
  # Rendered without hyphenation or adjustment, so options show whole.
  text=$(man -l -P cat -E UTF-8 "$page" 2>"$man_dir/$name.warnings" | sed "s/.\x08//g")
  if [ -s "$man_dir/$name.warnings" ]; then
    echo "FAIL: $name: man warns:"; cat "$man_dir/$name.warnings"; status=1
  fi
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help)
  options=$(grep -oE '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | sed 's/^[ ,]//' | sort -u)
  [ -n "$options" ] || { echo "FAIL: $name --help lists no options"; status=1; }
  for option in $options; do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$text" || { echo "FAIL: $name(1) lacks $option"; status=1; }
  done
  version=$("$program" --version)
  grep -qF -- "$version" <<<"$text" || { echo "FAIL: $name(1) is not of $version"; status=1; }
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES ENVIRONMENT; do
    grep -qx "$section" <<<"$text" || { echo "FAIL: $name(1) has no $section section"; status=1; }
  done
  for word in pixdeck.INI Bkcolors.txt XDG_CONFIG_HOME BROWSER; do
    grep -qF "$word" <<<"$text" || { echo "FAIL: $name(1) does not mention $word"; status=1; }
  done
  if [ "$name" = pixdeck-cli ]; then
    # Where the defaults come from, and how to do without the settings.
    for phrase in "built-in defaults" "never written" "standard output"; do
      grep -qF "$phrase" <<<"$(tr '\n' ' ' <<<"$text" | tr -s ' ')" ||
        { echo "FAIL: $name(1) does not say \"$phrase\""; status=1; }
    done
  fi
  echo "$name(1): $(wc -w <<<"$options") options, $version"
done
exit $status
