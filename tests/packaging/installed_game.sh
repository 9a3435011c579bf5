# Plays an installed game as far as the first question: the session of the game's end-to-end
# checks (an X server and a sound server of its own, everything ended on exit), the program
# started from a folder that holds none of its files, so that it must find them where it was
# installed. Sourced by the checks here after `build` is set.
packaging_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e_dir=$packaging_dir/../../bench/game
# shellcheck source=../../bench/game/screen.sh
. "$e2e_dir/screen.sh"
# shellcheck source=../../bench/game/session.sh
. "$e2e_dir/session.sh"

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

# The class the program's windows carry, by which a dock matches them with the desktop entry.
window_class() {
  local w
  for w in $(xdotool search --pid "$game_pid" 2>/dev/null); do
    xprop -id "$w" WM_CLASS 2>/dev/null | sed -n 's/.*= "[^"]*", "\(.*\)"/\1/p'
  done | sort -u
}

play_to_first_question() {  # executable [window class expected]
  [ -n "$xvfb_pid" ] || start_xvfb
  [ -n "$pulse_pid" ] || start_pulse
  (cd "$work" && exec env QT_QPA_PLATFORM=xcb "$1" no_fullscreen) >"$work/game.log" 2>&1 &
  game_pid=$!
  wait_menu 60
  if [ -n "${2:-}" ]; then
    [ "$(window_class)" = "$2" ] || fail "the menu's window class is '$(window_class)', not '$2'"
  fi
  click_new_game
  # The question's white text on its plate: the questions were found and read.
  watch_until '^1[01]{4} ' 60 "the first question's text"
  note "$1 drew the first question"
  kill "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=''
}
