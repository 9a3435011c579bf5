# The first game of the whole-program checks, played as a player would: the five questions
# answered right by their letter keys, with F5 at question 1, F7 at question 2 and F6 at
# question 3, the 10 000 Kč plate, back to the menu. Every screen step is checked on its way;
# each measured time goes to the times file. Sourced after session.sh and screen.sh.

# Timing tolerances in ms. Each time is when a poll saw the change, which on a loaded machine
# may be a few hundred ms late; an interval between two such times may so seem short as well.
readonly EARLY=400 LATE=1000 SOUND_TOL=250

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

# The time of a line of the program's timing log (monotonic ms), the last one so named, and
# the same as an $EPOCHREALTIME value.
log_time() { awk -v w="$1" 'index($0, w) { t = $2 } END { print t }' "$work/game.log"; }
mono_offset=$(python3 -c 'import time; print(time.time() - time.monotonic())')
log_epoch() { awk -v t="$(log_time "$1")" -v o="$mono_offset" 'BEGIN { printf "%.6f", t / 1000 + o }'; }

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
  watch_until '^111.. ' 3 "answer B of question $level"
  record "reveal.B $(ms_between "$ta" "$matched_at") 1000"
  watch_until '^1111. ' 3 "answer C of question $level"
  record "reveal.C $(ms_between "$ta" "$matched_at") 2000"
  watch_until '^11111 bbbb$' 3 "answer D of question $level"
  record "reveal.D $(ms_between "$ta" "$matched_at") 3000"
  local ladder
  if ((level == 1)); then
    find_window_offset "$pictures"
    ((scr_wx == 0 && scr_wy == 0)) || note "the game window lies at $scr_wx,$scr_wy, not at 0,0 of the 640 x 480 screen"
  fi
  ladder=$(closest_ladder "$pictures")
  [ "$ladder" = "S0$level" ] || fail "question $level shows the ladder $ladder, expected S0$level"
}

declare -a key_times=()

# Presses a letter and checks the pick, the suspense and the blinking of a right answer. The
# texts shown (11111, or with the two answers fifty-fifty removed at 0) stay as they are.
answer_right() {  # level letter key [texts]
  local level=$1 letter=$2 key=$3 texts=${4:-11111} d t_key t_green
  d=$(delay_of "$level")
  xdotool key "$key"
  t_key=$EPOCHREALTIME
  key_times[level]=$t_key
  watch_until "^$texts $(plates_with "$letter" o)\$" 2 "the picked plate $letter orange at question $level"
  record "pick.orange.$level $(ms_between "$t_key" "$matched_at") 0"
  watch_until "^$texts $(plates_with "$letter" g)\$" $((d / 1000 + 4)) "the right plate $letter green at question $level"
  t_green=$matched_at
  record "verdict.$level $(ms_between "$t_key" "$t_green") $d"
  watch_until "^$texts $(plates_with "$letter" o)\$" 2 "the blink back to orange at question $level"
  record "blink.orange.$level $(ms_between "$t_green" "$matched_at") 350"
  watch_until "^$texts $(plates_with "$letter" g)\$" 2 "the blink to green again at question $level"
  record "blink.green.$level $(ms_between "$t_green" "$matched_at") 700"
  local t_last=$matched_at
  watch_until '^W$' 4 "the winnings of question $level"
  record "winnings.show.$level $(ms_between "$t_last" "$matched_at") 1500"
  winnings_shown_at=$matched_at
  local plate
  plate=$(closest_winnings "$pictures")
  [ "$plate" = "C0$level" ] || fail "after question $level the winnings plate is $plate, expected C0$level"
}

# Fifty-fifty: two answers leave their plates at once, with its sound. Sets texts_left.
use_fifty_fifty() {
  xdotool key F5
  t_5050=$EPOCHREALTIME
  # The first change seen must already have both answers gone.
  watch_until '^1(0...|10..|110.|1110) bbbb$' 2 "answers gone after F5"
  local texts=${probed%% *}
  [[ $texts =~ ^1(1100|1010|1001|0110|0101|0011)$ ]] && [ "${texts:2:1}" = 1 ] ||
    fail "F5 left the texts $texts, expected the right answer B and one other (the first change seen)"
  record "fifty.painted $(ms_between "$t_5050" "$matched_at") 0"
  texts_left=$texts
}

# The poll: music off, the empty graph at 8.25 s, the bars of the stored shares at 24.05 s,
# the game back at 25.27 s. The times of the handlers come from the program's timing log.
use_poll() {  # expected bar heights in px
  xdotool key F7
  t_poll=$EPOCHREALTIME
  probe_until graph_state '^eeee$' 12 "the empty audience graph"
  check_interval poll.empty "$(ms_between "$t_poll" "$matched_at")" 8250
  probe_until graph_state '^r' 20 "the audience bars"
  check_interval poll.bars "$(ms_between "$t_poll" "$matched_at")" 24050
  local heights
  heights=$(bar_heights)
  awk -v got="$heights" -v want="$1" 'BEGIN { n = split(got, g, " "); split(want, w, " ")
      for (i = 1; i <= 4; i++) if (g[i] < w[i] - 1 || g[i] > w[i] + 1) exit 1 }' ||
    fail "the audience bars are $heights px high, expected $1"
  local click result
  click=$(log_time "poll click") result=$(log_time "poll result")
  [ -n "$click" ] && [ -n "$result" ] || fail "the timing log has no poll lines"
  check_interval poll.result.log $((result - click)) 24050 100
  wait_log "poll return" 3
  t_poll_return_log=$(log_epoch "poll return")
}

# The call: the ring, the call screen at 3.7 s with the video moving and cyan text typed, the
# game back when the call ends (its end sound), the music from its start 1.25 s later.
use_phone() {
  xdotool key F6
  t_phone=$EPOCHREALTIME
  probe_until graph_state '^kkkk$' 6 "the call's black square over the logo"
  check_interval call.pickup "$(ms_between "$t_phone" "$matched_at")" 3700
  probe_until cyan_pixels '^[1-9]' 3 "cyan text in the transcript panel"
  record "call.text $(ms_between "$t_phone" "$matched_at") 3800"
  probe_until video_sum ' [0-9]{3,}$' 3 "the countdown video over the logo"
  record "call.video $(ms_between "$t_phone" "$matched_at") 3700"
  video_first=${probed% *}
  probe_until video_changed '^moved$' 2 "the countdown video moving"
  watch_until '^11111 bbbb$' 35 "the game screen after the call"
  wait_log "call return" 3
  t_call_end_log=$(log_epoch "call end") t_call_return_log=$(log_epoch "call return")
}

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

# Game 1 from the menu to the menu. Sets t_first_music (the music of question 1 starts, from
# the timing log) and t_menu_back (the menu seen again), both $EPOCHREALTIME values.
play_top_game() {
  note "menu shown; starting game 1"
  click_new_game
  local letters=(B D A C B) keys=(b d A c b)  # one capital: the letter keys work with Shift as well
  local level texts
  for level in 1 2 3 4 5; do
    play_reveal "$level"
    ((level == 1)) && t_first_music=$(log_epoch "music play")
    texts=11111
    case $level in
      1) use_fifty_fifty; texts=$texts_left; note "F5: answers $texts_left left" ;;
      2) use_poll "24 8 16 112"; note "F7: the poll shown" ;;
      3) use_phone; note "F6: the call made" ;;
    esac
    answer_right "$level" "${letters[level - 1]}" "${keys[level - 1]}" "$texts"
    if ((level < 5)); then
      watch_until '^1.... ' 5 "question $((level + 1)) after the winnings"
      record "winnings.hide.$level $(ms_between "$winnings_shown_at" "$matched_at") 2000"
    fi
    note "question $level answered right"
  done
  local t_top=$winnings_shown_at
  wait_menu 15
  t_menu_back=$matched_at
  record "winnings.top $(ms_between "$t_top" "$matched_at") 9000"
  note "10 000 Kč shown, menu back"
}
