#!/usr/bin/env bash
# CPU use of the real program while a question waits for the player, the music playing: the
# program under its own X server and sound server, the build's sounds and questions, a game
# started from the menu; once the answers are revealed, utime + stime of the process are read
# from /proc before and after SECONDS_TO_WATCH seconds (default 10).
# Usage: bench/game/idle_cpu.sh BUILD_DIR [SECONDS_TO_WATCH]
set -euo pipefail
build=$(cd "${1:?usage: idle_cpu.sh BUILD_DIR [SECONDS]}" && pwd)
span=${2:-10}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e=$here
. "$e2e/screen.sh"
. "$e2e/session.sh"

prepare_game_dir
start_xvfb
start_pulse
start_recording
start_game
wait_menu 60
click_new_game
# A two-line question may leave the rows read for the question text blank: answers only.
watch_until '^.1111 bbbb$' 60 "the answers of question 1"
sleep 1

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
hz=$(getconf CLK_TCK)
t0=$EPOCHREALTIME c0=$(cpu_ticks)
sleep "$span"
t1=$EPOCHREALTIME c1=$(cpu_ticks)
[[ $(screen_state) =~ ^.1111\ bbbb$ ]] || fail "the question did not stay waiting"
stop_recording
ms=$(ms_between "$t0" "$t1")
# The music must really have been playing while measured.
level=$(sox "$work/rec.wav" -n trim -"$((span + 2))" stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
awk -v c=$((c1 - c0)) -v hz="$hz" -v ms="$ms" -v rms="$level" 'BEGIN {
  printf "cpu while waiting: %.0f ms of CPU in %.1f s = %.1f %% of one core (music RMS %s)\n", c * 1000 / hz, ms / 1000, c * 100000 / hz / ms, rms }'
