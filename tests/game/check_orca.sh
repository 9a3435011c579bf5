#!/usr/bin/env bash
# What Orca, the screen reader, says of the first question: the real program under Xvfb with an
# accessibility bus of its own and Orca started on it. Orca's debug log holds every utterance it
# sends to speech ("SPEECH OUTPUT: '...'"); Orca runs with its speech output off (-d speech),
# since speech-dispatcher hangs here: with its espeak-ng module the third utterance is never
# answered and Orca waits for it for good. The utterances are those Orca would speak.
# Checked: the menu's focused button named, the game started with Enter, then the question and
# the four answers of question 1 spoken as they appear.
#
# Usage: check_orca.sh BUILD_DIR. Needs orca besides what check_accessibility.sh needs.
set -euo pipefail

build=$(cd "${1:?usage: check_orca.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e/a11y_bus.sh
. "$here/e2e/a11y_bus.sh"
command -v orca >/dev/null || skip "orca is not installed (run.sh test installs it)"

prepare_game_dir "$here/e2e/questions.txt"
start_xvfb
start_pulse
start_a11y_bus

orca_pid=''
end_orca() {
  [ -z "$orca_pid" ] && return
  kill "$orca_pid" 2>/dev/null
  for _ in $(seq 100); do kill -0 "$orca_pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$orca_pid" 2>/dev/null
}
trap 'rc=$?; set +e; end_orca; end_bus; (exit $rc); session_cleanup' EXIT
speech=$work/orca.debug
orca --disable speech --user-prefs "$work/orca-prefs" --debug-file "$speech" >"$work/orca.log" 2>&1 &
orca_pid=$!
# Ready once it listens for focus changes.
ready="registering listener for: object:state-changed:focused"
for _ in $(seq 200); do grep -qF "$ready" "$speech" 2>/dev/null && break; sleep 0.1; done
grep -qF "$ready" "$speech" 2>/dev/null || skip "Orca does not start here ($(tail -n 1 "$work/orca.log"))"

start_game
# Orca's debug log is written in blocks, so what it said is read once it has ended (a clean
# end writes the rest); meanwhile the program's own timing log tells where the game is.
wait_log "painted frmIntro" 30
sleep 2  # Orca names the window and its focused button
xdotool key Return
wait_log "announce D: " 40
sleep 2  # Orca speaks the last answer
end_orca
orca_pid=''

said() { grep -o "SPEECH OUTPUT: '[^']*'" "$speech" | sed "s/^SPEECH OUTPUT: '//; s/'\$//"; }
expected=("nová hra" "Kolik je jedna a jedna?" "A: Jedna" "B: Dva" "C: Tři" "D: Čtyři")
missing=()
for text in "${expected[@]}"; do said | grep -qF "$text" || missing+=("$text"); done
((${#missing[@]} == 0)) || fail "Orca did not speak: ${missing[*]} (it said: $(said | tail -n 12 | tr '\n' '|'))"
note "Orca named the menu's button and spoke the question and the four answers of question 1"
