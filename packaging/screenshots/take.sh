#!/usr/bin/env bash
# Takes the screenshots the AppStream metadata names from the real program: the game of the
# build folder in an X server and a sound server of its own, played by real clicks and keys
# (the session of the game's end-to-end checks). Writes menu.png, question.png, poll.png and
# verdict.png beside this script.
#
# Usage: packaging/screenshots/take.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: take.sh BUILD_DIR}" && pwd)
out=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e=$out/../../bench/game
# shellcheck source=../../bench/game/screen.sh
. "$e2e/screen.sh"
# shellcheck source=../../bench/game/session.sh
. "$e2e/session.sh"

# The first question of the bank, so that the right letter is known.
awk '/^\[/ { n++ } n == 1' "$out/../../data/questions/01.txt" >"$work/shot.txt"
right=$(sed -n 's/^Spravna: *//p' "$work/shot.txt")
prepare_game_dir "$work/shot.txt"
start_xvfb
start_pulse
start_game

park_pointer() { xdotool mousemove 639 479; }
shot() {  # name
  convert "xwd:$fb" -strip "$out/$1.png"
  note "$out/$1.png"
}

wait_menu 60
park_pointer
sleep 0.3
shot menu
click_new_game
park_pointer
watch_until '^11111 bbbb$' 60 "the question with its four answers"
shot question
# The audience poll: its bars stand about 24 s after F7, and the input opens again.
xdotool key F7
sleep 27
shot poll
xdotool key "${right,,}"
# The right plate blinks green, orange, green and stays green until the winnings.
watch_until "^11111 .*g" 15 "the right answer in green"
watch_until "^11111 .*o" 3 "the blink to orange"
watch_until "^11111 .*g" 3 "the right answer green again"
shot verdict
