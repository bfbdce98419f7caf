#!/usr/bin/env bash
# The bash completion of pixdeck-cli offers exactly the options that its
# --help lists, the colour names of the colour table beside the program, and
# folders for the folder argument.
#   check_completion.sh COMPLETION_FILE PIXDECK_CLI
set -euo pipefail
completion=$(readlink -f "$1") program=$(readlink -f "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/pixdeck-completion.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
# A copy of the program with a colour table of its own, first on PATH.
mkdir -p "$work/bin" "$work/pics/Holidays" "$work/pics/Web design"
cp "$program" "$work/bin/pixdeck-cli"
printf 'Sea Green=2E8B57\nSeashell=FFF5EE\nWhite=FFFFFF\n' >"$work/bin/Bkcolors.txt"
touch "$work/pics/a.gif"
export PATH="$work/bin:$PATH"

# complete WORDS...: what the completion offers for the last word, one a line.
complete_words() {
  (
    set +eu
    . "$completion"
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _pixdeck_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort
  )
}
status=0
expect() {  # expect WHAT GOT WANTED
  if [ "$2" != "$3" ]; then
    printf 'FAIL: %s\n  got:    %s\n  wanted: %s\n' "$1" "$(tr '\n' ' ' <<<"$2")" "$(tr '\n' ' ' <<<"$3")"
    status=1
  fi
}

from_help=$(pixdeck-cli --help | grep -oE '(^|[ ,])--?[a-z][a-z-]*' | sed 's/^[ ,]//' | sort -u)
expect "the options are those of --help" "$(complete_words pixdeck-cli -)" "$from_help"
expect "--co completes to --color" "$(complete_words pixdeck-cli --co)" "--color"
expect "colour names from the table beside the program" "$(complete_words pixdeck-cli -c Se)" \
  "$(printf 'Sea\\ Green\nSeashell')"
expect "the folder argument takes folders" "$(cd "$work/pics" && complete_words pixdeck-cli '')" \
  "$(printf 'Holidays\nWeb design')"
expect "no completion inside the file specifications" "$(complete_words pixdeck-cli --specs '*.')" ""
[ $status -eq 0 ] && echo "completion offers: $(tr '\n' ' ' <<<"$from_help")"
exit $status
