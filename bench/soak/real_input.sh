#!/usr/bin/env bash
# Random real input for the real program: the game built with AddressSanitizer and UBSan runs
# under its own Xvfb while xdotool presses keys (A-D in both cases, F5, F6, F7, F10, Esc,
# Enter, Space and others) and clicks and double-clicks the elements of the menu, the game
# window, the information screens and random places, at random intervals. A program that
# leaves (the exit button) is started again. Counted and reported at the end:
#   crashes:   the program ended by a signal or with a status other than 0;
#   sanitizer: reports written by ASan or UBSan;
#   stuck:     the screen (the pointer's corner left out) stayed the same for STUCK_S seconds
#              (default 60, longer than any timed sequence of the game) while input went on.
# Usage: bench/soak/real_input.sh BUILD_DIR [SECONDS] [none|null-sink] [SEED]
# Exit status 0 when all three counts are 0.
set -euo pipefail
build=$(cd "${1:?usage: real_input.sh BUILD_DIR [SECONDS] [none|null-sink] [SEED]}" && pwd)
span=${2:-600}
sound=${3:-null-sink}
seed=${4:-$$}
stuck_s=${STUCK_S:-60}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../game/screen.sh"
. "$here/../game/session.sh"
RANDOM=$seed

prepare_game_dir
start_xvfb
case $sound in
  null-sink) start_pulse ;;
  none)
    # No sound server: the client may neither find one nor start one.
    export PULSE_SERVER=unix:/nonexistent PULSE_CLIENTCONFIG=$work/client.conf
    echo "autospawn = no" >"$PULSE_CLIENTCONFIG"
    ;;
  *) fail "sound is none or null-sink, not $sound" ;;
esac

runs=0 exits=0 crashes=0 stuck=0 actions=0
start_soak_game() {
  runs=$((runs + 1))
  (cd "$game_dir" && exec env QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="kvizarion.timing=true" \
    ASAN_OPTIONS="detect_leaks=0:log_path=$work/asan" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$work/ubsan" \
    ./kvizarion no_fullscreen) >>"$work/game.log" 2>&1 &
  game_pid=$!
}

# Centres of the elements, in pixels: the menu's four buttons, the OK of the rules and about
# screens, the game window's plates, texts, lifeline icons and logo, and its ladder.
targets=(145,129 183,209 250,289 340,361 320,455
  160,410 480,410 160,458 480,458 100,412 440,412 100,460 440,460
  164,263 252,263 340,263 251,111 532,155 320,330 320,240)
keys=(a b c d shift+a shift+b shift+c shift+d F5 F6 F7 F10 Escape Return space Tab x 1 F1 Left BackSpace)

act() {
  local r=$((RANDOM % 100)) t x y
  if [ "$r" -lt 45 ]; then
    xdotool key "${keys[RANDOM % ${#keys[@]}]}"
  else
    if [ "$r" -lt 85 ]; then
      t=${targets[RANDOM % ${#targets[@]}]}
      # The exit button leaves the program: pressed seldom, so that games get played.
      [ "$t" = 340,361 ] && [ $((RANDOM % 4)) -ne 0 ] && t=145,129
      x=${t%,*} y=${t#*,}
    else
      x=$((RANDOM % 640)) y=$((RANDOM % 480))
    fi
    if [ $((RANDOM % 3)) -eq 0 ]; then xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
    else xdotool mousemove "$x" "$y" click 1; fi
    xdotool mousemove 2 2
  fi
  actions=$((actions + 1))
}

# The screen below the pointer's parking corner.
screen_sum() { tail -c +$((scr_base + 40 * scr_bpl + 1)) "$fb" | md5sum | cut -c1-32; }

start_soak_game
end=$((SECONDS + span))
last_sum='' same_since=$SECONDS
while [ "$SECONDS" -lt "$end" ]; do
  if ! kill -0 "$game_pid" 2>/dev/null; then
    status=0
    wait "$game_pid" || status=$?
    if [ "$status" -eq 0 ]; then exits=$((exits + 1)); else
      crashes=$((crashes + 1))
      echo "soak: the program ended with status $status after $actions actions" | tee -a "$work/events.log"
    fi
    start_soak_game
    same_since=$SECONDS
  fi
  act
  sleep "0.$((RANDOM % 9))$((RANDOM % 10))"
  sum=$(screen_sum)
  if [ "$sum" != "$last_sum" ]; then
    last_sum=$sum same_since=$SECONDS
  elif [ $((SECONDS - same_since)) -ge "$stuck_s" ]; then
    stuck=$((stuck + 1))
    convert "xwd:$fb" "$work/stuck-$stuck.png" 2>/dev/null || true
    echo "soak: the screen has not changed for $stuck_s s (kept as stuck-$stuck.png)" | tee -a "$work/events.log"
    same_since=$SECONDS
  fi
done
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=''
reports=$(cat "$work"/asan.* "$work"/ubsan.* 2>/dev/null | grep -c 'ERROR: AddressSanitizer\|runtime error' || true)
# What was played, from the program's timing log.
seen() { grep -c "$1" "$work/game.log" || true; }
echo "soak ($sound, seed $seed, $span s): $actions actions, $runs program runs ($exits left by the exit button)," \
  "$(seen 'painted frmMain') games, $(seen 'effects set file.*[/\\]\(r\|w\|pt\)\.wav') verdicts," \
  "lifelines: $(seen 'fifty-fifty click') fifty-fifty, $(seen 'effects set file.*div\.wav') polls, $(seen 'call click') calls;" \
  "crashes $crashes, sanitizer reports $reports, stuck screens $stuck"
if [ "$crashes" -ne 0 ] || [ "$reports" -ne 0 ] || [ "$stuck" -ne 0 ]; then
  failed=1
  cat "$work"/asan.* "$work"/ubsan.* 2>/dev/null | head -n 60 >&2 || true
  exit 1
fi
