# What the packaging checks share: a work folder (kept when a check fails), fail, the
# program a desktop entry starts, and the installed game played to its first question on the
# harness of the game's checks (installed_game.py). Sourced after `build` is set.
packaging_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/skip.sh
. "$packaging_dir/../support/skip.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/kvz-packaging.XXXXXX")
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
session_cleanup() {
  local rc=$?
  if [ "$rc" -eq 0 ] || [ "$rc" -eq 77 ]; then rm -rf "$work"; else echo "kept for inspection: $work" >&2; fi
  exit "$rc"
}
trap session_cleanup EXIT
trap 'fail "interrupted"' INT TERM

# The program a desktop entry starts: the first argument of its Exec= line, the entry's escapes
# and quotes undone (arguments are separated by blanks outside quotes).
desktop_exec() {  # desktop_file
  local v
  v=$(sed -n 's/^Exec=//p' "$1")
  v=${v//\\\\/\\}
  if [[ $v == \"* ]]; then
    v=$(sed -E 's/^"((\\.|[^\\"])*)".*/\1/; s/\\(.)/\1/g' <<<"$v")
  else
    v=${v%% *}
  fi
  echo "${v//%%/%}"
}

play_to_first_question() {  # executable [window class expected]
  /usr/bin/python3 "$packaging_dir/installed_game.py" "$build" "$@"
}
