#!/usr/bin/env bash
# One whole game played in a real window, as a player would: an X server of its own, real key
# and mouse events, real sound into a null sink recorded from its monitor.
#
# Game 1: "nová hra" on the menu, the five questions answered right by their letter keys, the
# 10 000 Kč plate, back to the menu. Game 2: a wrong answer to question 1, 0 Kč, back to the
# menu. Checked on the screen: the reveal (question, A, B, C, D), the picked plate orange, the
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

work=$(mktemp -d "${TMPDIR:-/tmp}/kvz-e2e.XXXXXX")
xvfb_pid='' pulse_pid='' game_pid='' rec_pid=''
failed=0

fail() {
  echo "FAIL: $*" >&2
  failed=1
  exit 1
}
note() { echo "e2e: $*"; }

cleanup() {
  local rc=$?
  if [ "$rc" -ne 0 ] || [ "$failed" -ne 0 ]; then
    [ -n "$xvfb_pid" ] && [ -f "$work/fb/Xvfb_screen0" ] && convert "xwd:$work/fb/Xvfb_screen0" "$work/last-screen.png" 2>/dev/null || true
  fi
  for pid in "$game_pid" "$rec_pid" "$xvfb_pid" "$pulse_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  if [ "$rc" -ne 0 ] || [ "$failed" -ne 0 ]; then
    [ -f "$work/transitions.log" ] && { echo "--- screen states seen (time state)" >&2; tail -n 40 "$work/transitions.log" >&2; }
    [ -f "$work/game.log" ] && { echo "--- program output" >&2; tail -n 20 "$work/game.log" >&2; }
    echo "kept for inspection: $work" >&2
  else
    rm -rf "$work"
  fi
  exit "$rc"
}
trap cleanup EXIT
trap 'fail "interrupted"' INT TERM

for tool in Xvfb xdotool pulseaudio pactl parec sox soxi od awk convert compare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (run.sh test installs it)"
done
for f in kvizarion kvizarion-qst; do [ -x "$build/$f" ] || fail "$build/$f is not built"; done
[ -d "$build/snd" ] || fail "$build/snd is missing: the sounds were not generated"
pictures=$build/gen/pictures
[ -f "$pictures/C05.png" ] || fail "$pictures holds no generated pictures"
unset KVIZARION_PROBE KVIZARION_SEED PULSE_SERVER PULSE_SINK QT_MEDIA_BACKEND

# --- The program's folder: the program, five known questions, test tones instead of sounds ---
game_dir=$work/game
mkdir -p "$game_dir/snd" "$game_dir/qst"
# A copy, not a link: the program looks for its data beside its own resolved path.
cp "$build/kvizarion" "$game_dir/"
cp "$build/snd/"* "$game_dir/snd/"
QT_QPA_PLATFORM=offscreen "$build/kvizarion-qst" build "$here/e2e/questions.txt" -o "$game_dir/qst" \
  >"$work/qst.log" 2>&1 || { cat "$work/qst.log" >&2; fail "the test questions do not build"; }
make_test_sounds "$game_dir/snd"

# --- X server of our own, its framebuffer in a file we can read pixels from ---
start_xvfb() {
  local n
  mkdir -p "$work/fb"
  for n in $(seq "${KVZ_E2E_FIRST_DISPLAY:-21}" 99); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 640x480x24 -fbdir "$work/fb" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=''
  done
  fail "no X server could be started"
}
start_xvfb
fb=$work/fb/Xvfb_screen0
screen_open "$fb" || fail "the X server's framebuffer $fb is not 32-bit LSB-first XWD"

# --- Sound server of our own with a null sink; everything it plays is recorded ---
export XDG_RUNTIME_DIR=$work/pulse HOME=$work/pulse
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -D --exit-idle-time=-1 -n --log-target="file:$work/pulse.log" \
  --load="module-null-sink sink_name=nul" --load=module-native-protocol-unix 2>>"$work/pulse.log" ||
  fail "pulseaudio does not start (see $work/pulse.log)"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pulse_pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)
pactl info >/dev/null 2>&1 || fail "pulseaudio does not answer"

rec_start=$EPOCHREALTIME
parec -d nul.monitor --rate=8000 --channels=1 --format=s16le --latency-msec=20 --file-format=wav "$work/rec.wav" &
rec_pid=$!

# --- The program ---
(cd "$game_dir" && exec env QT_QPA_PLATFORM=xcb ./kvizarion no_fullscreen) >"$work/game.log" 2>&1 &
game_pid=$!

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

wait_menu() {  # timeout_s
  watch_until "^M\$" "$1" "the start menu"
}

click_new_game() {
  # "nová hra" is imgNova: 960,1680 twips, 2430 x 525 -> its centre at 145,129 px.
  xdotool mousemove 145 129 click 1
  # The pointer is drawn into the framebuffer: out of the way of every place read.
  xdotool mousemove 5 5
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

# ---------------------------------------------------------------- game 2: a wrong answer
click_new_game
play_reveal 1
xdotool key a
t_wrong=$EPOCHREALTIME
watch_until '^11111 obbb$' 2 "the wrong pick A orange"
watch_until '^11111 ogbb$' 6 "the right plate B green beside the orange pick"
check_interval "verdict.wrong" "$(ms_between "$t_wrong" "$matched_at")" 2000
t_verdict=$matched_at
watch_until '^W$' 5 "the winnings after the wrong answer"
check_interval "winnings.wrong" "$(ms_between "$t_verdict" "$matched_at")" 3000
[ "$(closest_winnings "$pictures")" = C00 ] || fail "a wrong answer does not show 0 Kč"
wait_menu 8
note "wrong answer: 0 Kč, menu back"

# ---------------------------------------------------------------- the recording
sleep 1
rec_end=$EPOCHREALTIME
kill -INT "$rec_pid"
wait "$rec_pid" 2>/dev/null || true
rec_pid=''
# The recording may begin well after parec was started on a loaded machine, but once running it
# loses nothing: its start is its end less its length.
rec_ms=$(soxi -D "$work/rec.wav" | awk '{ printf "%d", $1 * 1000 }')
record "recording.late $(($(ms_between "$rec_start" "$rec_end") - rec_ms)) 0"
rec_start=$(awk -v e="$rec_end" -v l="$rec_ms" 'BEGIN { printf "%.6f", e - l / 1000 }')
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

note "passed: a whole game and a lost one, screens and sounds on time"
