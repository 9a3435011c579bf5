#!/usr/bin/env bash
# The lifelines on the real clock: the real program under Xvfb with a PulseAudio null sink,
# driven by xdotool, RUNS times (default 5): a game with fifty-fifty, the poll and a short call
# on question 1, and a game with a long call on question 2. Times come from the program's
# timing log (monotonic ms, one line per lifeline step); fifty-fifty is timed from the key
# release to the framebuffer showing the two answers gone; memory is the program's resident
# set before the call and while the countdown video plays.
# Usage: bench/game/lifelines.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(cd "${1:?usage: lifelines.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-5}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e=$here
# shellcheck source=screen.sh
. "$e2e/screen.sh"
# shellcheck source=session.sh
. "$e2e/session.sh"

prepare_game_dir "$here/lifelines_questions.txt"
start_xvfb
start_pulse
start_game
log=$work/game.log
figures=$work/figures.txt
: >"$figures"

rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$game_pid/status"; }
log_count() { grep -c "$1" "$log" || true; }
# Waits until the timing log holds n lines containing the text.
wait_lines() {  # text n timeout_s
  local deadline=$((SECONDS + $3))
  until (($(log_count "$1") >= $2)); do
    ((SECONDS < deadline)) || fail "no \"$1\" line number $2 in the timing log"
    sleep 0.05
  done
}
quit_game() {
  xdotool key Escape
  until xdotool search --onlyvisible --name '^potvrzení$' >/dev/null 2>&1; do sleep 0.05; done
  xdotool key Return
  watch_until '^M$' 10 "the menu after quitting"
}

wait_menu 60
for run in $(seq "$runs"); do
  # Game A: fifty-fifty, the poll, a short call.
  click_new_game
  watch_until '^11111 bbbb$' 30 "question 1"
  echo "fifty.painted $(python3 "$here/paint_latency.py" "$fb" F5)" >>"$figures"
  xdotool key F7
  wait_lines "poll return" "$run" 30
  echo "rss.before $(rss_kib)" >>"$figures"
  xdotool key F6
  wait_lines "call pick-up" $((2 * run - 1)) 10
  probe_until cyan_pixels '^[1-9]' 3 "the transcript"
  echo "rss.video $(rss_kib)" >>"$figures"
  wait_lines "call return" $((2 * run - 1)) 40
  quit_game
  # Game B: a long call on question 2.
  click_new_game
  watch_until '^11111 bbbb$' 30 "question 1"
  xdotool key a
  watch_until '^1.... ' 30 "question 2"
  watch_until '^11111 bbbb$' 30 "question 2 revealed"
  xdotool key F6
  wait_lines "call return" $((2 * run)) 40
  quit_game
  echo "run $run done" >&2
done

# From the log: each poll's and call's steps against their intended times.
awk '
  $1 != "kvizarion.timing:" { next }
  { t = $2; $1 = $2 = ""; sub(/^ +/, "") }
  /^poll click/ { pc = t }
  /^poll empty graph/ { print "poll.empty", t - pc, 8250 }
  /^poll result/ { print "poll.result", t - pc, 24050 }
  /^poll return/ { print "poll.return", t - pc, 25270 }
  /^call click/ { cc = t }
  /^call pick-up/ { n = $3; up = t; print "call.pickup", t - cc, 3700 }
  /^call typed/ { if ($3 == 1) first = t; else last = t }
  /^call end/ { end = t
    if (n + 5 <= 300) {
      print "call.cadence", int((n - 1) * 100000 / (last - first)) / 100, 10
      print "call.end.short", t - up, (n + 5) * 100
    } else {
      print "call.cadence", int($3 * 100000 / (t - first)) / 100, 10
      print "call.end.long", t - up, 30000
    }
  }
  /^call return/ { print "call.return", t - end, 1250 }
' "$log" >>"$figures"

awk '
  $1 ~ /^rss/ { m[$1] = m[$1] " " $2; next }
  $1 == "fifty.painted" { f = f " " $2; next }
  { d[$1] = d[$1] " " ($2 - $3); want[$1] = $3 }
  function stats(list,   a, n, i, j, t, abs) {
    n = split(list, a, " ")
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
    abs = 0; for (i = 1; i <= n; i++) { t = a[i] < 0 ? -a[i] : a[i]; if (t > abs) abs = t }
    return sprintf("%4d %9s %9s %9s", n, a[1], a[int((n + 1) / 2)], abs)
  }
  END {
    printf "%-16s %6s %4s %9s %9s %9s\n", "step", "want", "n", "min.dev", "med.dev", "max|dev|"
    for (k in d) printf "%-16s %6s %s\n", k, want[k], stats(d[k])
    printf "%-16s %6s %s   (ms, key release to paint)\n", "fifty.painted", "-", stats(f)
    for (k in m) printf "%-16s %6s %s   (KiB)\n", k, "-", stats(m[k])
  }' "$figures" | sort
