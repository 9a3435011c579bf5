#!/usr/bin/env bash
# What Orca, the screen reader, says of the first question: the real program under Xvfb with an
# accessibility bus of its own, Orca started on it with speech through speech-dispatcher and
# espeak-ng into a PulseAudio null sink; its debug log holds every utterance it sent to speech.
# Checked: the game started with Enter on the menu's focused button, then the question and the
# four answers of question 1 spoken, as they appear.
#
# Usage: check_orca.sh BUILD_DIR. Needs orca, speech-dispatcher and espeak-ng besides what
# check_accessibility.sh needs.
set -euo pipefail

build=$(cd "${1:?usage: check_orca.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e/screen.sh
. "$here/e2e/screen.sh"
# shellcheck source=e2e/session.sh
. "$here/e2e/session.sh"
# shellcheck source=e2e/a11y_bus.sh
. "$here/e2e/a11y_bus.sh"
for tool in orca speech-dispatcher espeak-ng; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (run.sh test installs it)"
done

prepare_game_dir "$here/e2e/questions.txt"
start_xvfb
start_pulse
start_a11y_bus

orca_pid=''
trap 'rc=$?; [ -n "$orca_pid" ] && kill "$orca_pid" 2>/dev/null; end_bus; (exit $rc); session_cleanup' EXIT
speech=$work/orca.debug
orca --user-prefs "$work/orca-prefs" --debug-file "$speech" >"$work/orca.log" 2>&1 &
orca_pid=$!
for _ in $(seq 100); do grep -q "SPEECH OUTPUT" "$speech" 2>/dev/null && break; sleep 0.1; done
grep -q "SPEECH OUTPUT" "$speech" 2>/dev/null || skip "Orca does not start here ($(tail -n 1 "$work/orca.log"))"

start_game
said() { grep -o "SPEECH OUTPUT: '[^']*'" "$speech" | sed "s/^SPEECH OUTPUT: '//; s/'\$//"; }
# The menu's first button is named as the menu opens.
for _ in $(seq 200); do said | grep -qF "nová hra" && break; sleep 0.1; done
said | grep -qF "nová hra" || fail "Orca did not name the menu's focused button: $(said | tail -n 5 | tr '\n' '|')"
xdotool key Return

expected=("Kolik je jedna a jedna?" "A: Jedna" "B: Dva" "C: Tři" "D: Čtyři")
deadline=$((SECONDS + 30))
until said | grep -qF "${expected[4]}"; do
  ((SECONDS < deadline)) || break
  sleep 0.2
done
missing=()
for text in "${expected[@]}"; do said | grep -qF "$text" || missing+=("$text"); done
((${#missing[@]} == 0)) || fail "Orca did not speak: ${missing[*]} (it said: $(said | tail -n 12 | tr '\n' '|'))"
note "Orca spoke the question and the four answers of question 1"
