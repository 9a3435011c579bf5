#!/usr/bin/env bash
# One whole game played in a real window, as a player would: an X server of its own, real key
# and mouse events, real sound into a null sink recorded from its monitor.
#
# Game 1: "nová hra" on the menu, the five questions answered right by their letter keys, the
# 10 000 Kč plate, back to the menu. Game 2: Esc answered No, then a wrong answer to question
# 1, 0 Kč, back to the menu. Game 3: Esc answered Yes, 0 Kč for 3 s, back to the menu. Checked on the screen: the reveal (question, A, B, C, D), the picked plate orange, the
# right plate green - orange - green, the winnings plate of the level, the ladder row, the
# other plates untouched; in the recording: each verdict sound starting the suspense delay
# after the key release, the top-prize sound at question 5, the wrong-answer sound.
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

# Timing tolerances in ms. Each time is when a poll saw the change, which on a loaded machine
# may be a few hundred ms late; an interval between two such times may so seem short as well.
readonly EARLY=400 LATE=1000 SOUND_TOL=250

# shellcheck source=e2e/session.sh
. "$here/e2e/session.sh"

prepare_game_dir "$here/e2e/questions.txt"
make_test_sounds "$game_dir/snd"
start_xvfb
start_pulse
start_recording
start_game

times_file=${KVZ_E2E_TIMES:-$work/times.txt}
: >"$times_file"
record() { echo "$*" >>"$times_file"; }

# Checks that a measured interval lies in [expected - EARLY, expected + late].
check_interval() {  # what measured expected [late]
  local what=$1 measured=$2 expected=$3 late=${4:-$LATE}
  record "$what $measured $expected"
  ((measured >= expected - EARLY && measured <= expected + late)) ||
    fail "$what took $measured ms, expected $expected ms (-$EARLY/+$late)"
}

plate_index() { case $1 in A) echo 0 ;; B) echo 1 ;; C) echo 2 ;; D) echo 3 ;; esac; }

# The plates expected with the picked (and right) letter in one colour, the others blue.
plates_with() {  # letter colour
  local i p=bbbb
  i=$(plate_index "$1")
  echo "${p:0:i}$2${p:i+1}"
}

delay_of() { case $1 in 1) echo 2000 ;; 2) echo 3000 ;; 3 | 4) echo 4000 ;; 5) echo 6000 ;; esac; }

# Waits for the question of a level to be shown and the answers revealed one by one.
play_reveal() {  # level
  local level=$1 tq ta
  watch_until '^1.... ' 40 "question $level shown"
  tq=$matched_at
  watch_until "^11... " 6 "answer A of question $level"
  # A window's first paint may come late, so the question is seen late; the answers are timed from A.
  ta=$matched_at
  record "reveal.A $(ms_between "$tq" "$ta") 2000"
  (($(ms_between "$tq" "$ta") >= 2000 - 2 * EARLY)) || fail "answer A came $(ms_between "$tq" "$ta") ms after the question, expected 2000 ms"
  watch_until '^111.. ' 3 "answer B of question $level"
  check_interval "reveal.B" "$(ms_between "$ta" "$matched_at")" 1000
  watch_until '^1111. ' 3 "answer C of question $level"
  check_interval "reveal.C" "$(ms_between "$ta" "$matched_at")" 2000
  watch_until '^11111 bbbb$' 3 "answer D of question $level"
  check_interval "reveal.D" "$(ms_between "$ta" "$matched_at")" 3000
  local ladder
  if ((level == 1)); then
    find_window_offset "$pictures"
    ((scr_wx == 0 && scr_wy == 0)) || note "the game window lies at $scr_wx,$scr_wy, not at 0,0 of the 640 x 480 screen"
  fi
  ladder=$(closest_ladder "$pictures")
  [ "$ladder" = "S0$level" ] || fail "question $level shows the ladder $ladder, expected S0$level"
}

declare -a key_times=()

# Presses a letter and checks the pick, the suspense and the blinking of a right answer.
answer_right() {  # level letter key
  local level=$1 letter=$2 key=$3 d t_key t_green
  d=$(delay_of "$level")
  xdotool key "$key"
  t_key=$EPOCHREALTIME
  key_times[level]=$t_key
  watch_until "^11111 $(plates_with "$letter" o)\$" 2 "the picked plate $letter orange at question $level"
  record "pick.orange.$level $(ms_between "$t_key" "$matched_at") 0"
  watch_until "^11111 $(plates_with "$letter" g)\$" $((d / 1000 + 4)) "the right plate $letter green at question $level"
  t_green=$matched_at
  check_interval "verdict.$level" "$(ms_between "$t_key" "$t_green")" "$d"
  watch_until "^11111 $(plates_with "$letter" o)\$" 2 "the blink back to orange at question $level"
  check_interval "blink.orange.$level" "$(ms_between "$t_green" "$matched_at")" 350
  watch_until "^11111 $(plates_with "$letter" g)\$" 2 "the blink to green again at question $level"
  check_interval "blink.green.$level" "$(ms_between "$t_green" "$matched_at")" 700
  local t_last=$matched_at
  watch_until '^W$' 4 "the winnings of question $level"
  check_interval "winnings.show.$level" "$(ms_between "$t_last" "$matched_at")" 1500
  winnings_shown_at=$matched_at
  local plate
  plate=$(closest_winnings "$pictures")
  [ "$plate" = "C0$level" ] || fail "after question $level the winnings plate is $plate, expected C0$level"
}

# ---------------------------------------------------------------- game 1: five right answers
wait_menu 60
note "menu shown; starting game 1"
click_new_game
letters=(B D A C B)
keys=(b d A c b)  # one capital: the letter keys work with Shift as well
for level in 1 2 3 4 5; do
  play_reveal "$level"
  answer_right "$level" "${letters[level - 1]}" "${keys[level - 1]}"
  if ((level < 5)); then
    watch_until '^1.... ' 5 "question $((level + 1)) after the winnings"
    check_interval "winnings.hide.$level" "$(ms_between "$winnings_shown_at" "$matched_at")" 2000
  fi
  note "question $level answered right"
done
t_top=$winnings_shown_at
wait_menu 15
check_interval "winnings.top" "$(ms_between "$t_top" "$matched_at")" 9000 1500
note "10 000 Kč shown, menu back"

# Waits for the quit confirmation to open or to close.
wait_box() {  # open|closed
  local deadline=$((SECONDS + 5))
  while :; do
    if xdotool search --onlyvisible --name '^potvrzení$' >/dev/null 2>&1; then
      [ "$1" = open ] && return 0
    else
      [ "$1" = closed ] && return 0
    fi
    ((SECONDS < deadline)) || fail "the quit confirmation did not become $1"
    sleep 0.05
  done
}

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
check_interval "verdict.wrong" "$(ms_between "$t_wrong" "$matched_at")" 2000
t_verdict=$matched_at
watch_until '^W$' 5 "the winnings after the wrong answer"
check_interval "winnings.wrong" "$(ms_between "$t_verdict" "$matched_at")" 3000
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
check_interval "winnings.esc" "$(ms_between "$t_quit" "$matched_at")" 3000
note "Esc answered Yes: 0 Kč for 3 s, menu back"

# ---------------------------------------------------------------- the recording
sleep 1
stop_recording
expect_tone() {  # name onsets_file key_time delay
  local onsets=$2 expected
  expected=$(ms_between "$rec_start" "$3")
  expected=$((expected + $4))
  local got
  got=$(awk -v e="$expected" 'BEGIN { best = -1 } { d = $1 - e; if (d < 0) d = -d; if (best < 0 || d < best) { best = d; v = $1 } } END { if (best >= 0) print v }' "$onsets")
  [ -n "$got" ] || fail "$1: no sound in the recording"
  record "sound.$1 $((got - expected + $4)) $4"
  ((got >= expected - SOUND_TOL && got <= expected + SOUND_TOL)) ||
    fail "$1: the sound starts $((got - expected + $4)) ms after the key release, expected $4 ms (±$SOUND_TOL)"
}
tone_onsets "$work/rec.wav" 2000 >"$work/on-right.txt"
tone_onsets "$work/rec.wav" 3000 >"$work/on-top.txt"
tone_onsets "$work/rec.wav" 1000 >"$work/on-wrong.txt"
[ "$(wc -l <"$work/on-right.txt")" -eq 4 ] ||
  fail "the right-answer sound played $(wc -l <"$work/on-right.txt") times, expected 4 (questions 1-4)"
[ "$(wc -l <"$work/on-top.txt")" -eq 1 ] || fail "the top-prize sound played $(wc -l <"$work/on-top.txt") times, expected once"
[ "$(wc -l <"$work/on-wrong.txt")" -eq 1 ] || fail "the wrong-answer sound played $(wc -l <"$work/on-wrong.txt") times, expected once"
for level in 1 2 3 4; do expect_tone "right.$level" "$work/on-right.txt" "${key_times[level]}" "$(delay_of "$level")"; done
expect_tone top.5 "$work/on-top.txt" "${key_times[5]}" 6000
expect_tone wrong.1 "$work/on-wrong.txt" "$t_wrong" 2000

note "passed: a whole game, a lost one and a quit one, screens and sounds on time"
