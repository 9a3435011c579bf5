#!/usr/bin/env bash
# One whole game played in a real window, as a player would: an X server of its own, real key
# and mouse events, real sound into a null sink recorded from its monitor. The timelines
# themselves are the unit tests' (virtual clock); here is what only a real run shows: the
# pictures on screen, the sounds heard and when, the real clock's timing of the long lifelines.
#
# Game 1: "nová hra" on the menu, the five questions answered right by their letter keys, with
# F5 at question 1, F7 at question 2 and F6 at question 3; the 10 000 Kč plate, back to the
# menu. Game 2: Esc answered No, then a wrong answer to question 1, 0 Kč, back to the menu.
# Game 3: Esc answered Yes, 0 Kč, back to the menu. Checked on the screen: the reveal (question,
# A, B, C, D), the picked plate orange, the right plate green - orange - green, the winnings
# plate of the level, the ladder row; two answers gone at once after F5; the empty graph, then
# red bars of the stored heights after F7, at their times; after F6 the call screen at 3.7 s
# with the countdown video moving and cyan text typed, and the game back after it. In the
# recording: each verdict sound the suspense delay after the key release, the top-prize and
# wrong-answer sounds, the fifty-fifty, poll, ring and end-of-call sounds, the music back
# from its start after the poll and after the call.
#
# Usage: check_e2e_game.sh BUILD_DIR. Needs Xvfb, xdotool, pulseaudio, parec, sox, ImageMagick.
# KVZ_E2E_TIMES=FILE also writes every measured time (for the timing figures).
set -euo pipefail

build=$(cd "${1:?usage: check_e2e_game.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e/screen.sh
. "$here/e2e/screen.sh"
# shellcheck source=e2e/sound.sh
. "$here/e2e/sound.sh"

# shellcheck source=e2e/session.sh
. "$here/e2e/session.sh"

prepare_game_dir "$here/e2e/questions.txt"
make_test_sounds "$game_dir/snd"
start_xvfb
start_pulse
start_recording
start_game

# shellcheck source=e2e/play.sh
. "$here/e2e/play.sh"

# ---------------------------------------------------------------- game 1: five right answers
wait_menu 60
play_top_game

# ------------------------------------------- game 2: Esc answered No, then a wrong answer
click_new_game
play_reveal 1
xdotool key Escape
wait_box open
xdotool key Escape  # Esc in the box answers No
wait_box closed
[ "$(screen_state)" = "11111 bbbb" ] || fail "answering No to the quit confirmation changed the screen"
xdotool key a
t_wrong=$EPOCHREALTIME
watch_until '^11111 obbb$' 2 "the wrong pick A orange after answering No"
watch_until '^11111 ogbb$' 6 "the right plate B green beside the orange pick"
record "verdict.wrong $(ms_between "$t_wrong" "$matched_at") 2000"
t_verdict=$matched_at
watch_until '^W$' 5 "the winnings after the wrong answer"
record "winnings.wrong $(ms_between "$t_verdict" "$matched_at") 3000"
[ "$(closest_winnings "$pictures")" = C00 ] || fail "a wrong answer does not show 0 Kč"
wait_menu 8
note "Esc answered No, then a wrong answer: 0 Kč, menu back"

# ------------------------------------------- game 3: Esc answered Yes at question 1
click_new_game
play_reveal 1
xdotool key Escape
wait_box open
xdotool key Return  # Ano is the default button
watch_until '^W$' 3 "the winnings after quitting"
t_quit=$matched_at
[ "$(closest_winnings "$pictures")" = C00 ] || fail "quitting at question 1 does not show 0 Kč"
wait_menu 8
record "winnings.esc $(ms_between "$t_quit" "$matched_at") 3000"
note "Esc answered Yes: 0 Kč for 3 s, menu back"

# ---------------------------------------------------------------- the recording
stop_recording
expect_tone() {  # name onsets_file cause_time delay
  local onsets=$2 expected
  expected=$(ms_between "$rec_start" "$3")
  expected=$((expected + $4))
  local got
  got=$(awk -v e="$expected" 'BEGIN { best = -1 } { d = $1 - e; if (d < 0) d = -d; if (best < 0 || d < best) { best = d; v = $1 } } END { if (best >= 0) print v }' "$onsets")
  [ -n "$got" ] || fail "$1: no sound in the recording"
  record "sound.$1 $((got - expected + $4)) $4"
  ((got >= expected - SOUND_TOL && got <= expected + SOUND_TOL)) ||
    fail "$1: the sound starts $((got - expected + $4)) ms after its cause, expected $4 ms (±$SOUND_TOL)"
}
# Each effect played as often as the games call for it, each at its time.
expect_count() {  # name onsets_file count
  [ "$(wc -l <"$2")" -eq "$3" ] || fail "the $1 sound played $(wc -l <"$2") times, expected $3"
}
for tone in right:$TONE_RIGHT:4 top:$TONE_TOP:1 wrong:$TONE_WRONG:1 fifty:$TONE_5050:1 poll:$TONE_POLL:1 \
  ring:$TONE_PHONE:1 call-end:$TONE_PHONE_END:1 music:$TONE_MUSIC:5; do
  IFS=: read -r name freq count <<<"$tone"
  tone_onsets "$work/rec.wav" "$freq" >"$work/on-$name.txt"
  # The music starts at every first question (3 games), after the poll and after the call.
  expect_count "$name" "$work/on-$name.txt" "$count"
done
for level in 1 2 3 4; do expect_tone "right.$level" "$work/on-right.txt" "${key_times[level]}" "$(delay_of "$level")"; done
expect_tone top.5 "$work/on-top.txt" "${key_times[5]}" 6000
expect_tone wrong.1 "$work/on-wrong.txt" "$t_wrong" 2000
expect_tone fifty "$work/on-fifty.txt" "$t_5050" 0
expect_tone poll "$work/on-poll.txt" "$t_poll" 0
expect_tone ring "$work/on-ring.txt" "$t_phone" 0
expect_tone call-end "$work/on-call-end.txt" "$t_call_end_log" 0
expect_tone music.poll "$work/on-music.txt" "$t_poll_return_log" 0
expect_tone music.call "$work/on-music.txt" "$t_call_return_log" 0

note "passed: a whole game with the three lifelines, a lost one and a quit one, screens and sounds on time"
