#!/usr/bin/env bash
# One whole game followed as a screen reader follows it: the real program in an X server of its
# own, with an accessibility bus of its own (at-spi2-core), read over AT-SPI by
# e2e/atspi_game.py: the menu's buttons by name, each question and its four answers with their
# exact texts, fifty-fifty's removed answers gone and its icon named as used, the announcements
# of the reveal, the pick, the verdict and the amount in order and at their times (against the
# program's timing log); the answers given by key, the game started with Enter.
#
# Usage: check_accessibility.sh BUILD_DIR. Needs Xvfb, xdotool, dbus-daemon, at-spi2-core and
# python3-pyatspi (the AT-SPI typelib for Debian's /usr/bin/python3), besides what every
# end-to-end session needs.
set -euo pipefail

build=$(cd "${1:?usage: check_accessibility.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e/a11y_bus.sh
. "$here/e2e/a11y_bus.sh"

prepare_game_dir "$here/e2e/questions.txt"
start_xvfb
start_pulse

start_a11y_bus
# The reader listens before the game starts, as a screen reader does: a program started first
# may miss the news that someone listens and tell nobody of its notifications.
"$atspi_python" "$here/e2e/atspi_game.py" "$here/e2e/questions.txt" "$work/game.log" >"$work/atspi.log" 2>&1 &
reader=$!
for _ in $(seq 100); do grep -q listening "$work/atspi.log" && break; sleep 0.1; done
start_game
wait "$reader" || { cat "$work/atspi.log" >&2; fail "the game read over AT-SPI"; }
cat "$work/atspi.log"
note "a whole game followed over AT-SPI"
