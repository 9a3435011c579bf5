#!/usr/bin/env bash
# The menu sound is heard at every one of ten plays in a row, and a new effect cuts off the
# previous one, recorded from a PulseAudio null sink of our own. Skipped (77) without pulseaudio or parec, or failed under KVZ_STRICT_CHECKS.
# $1 = build folder.
set -euo pipefail
build=${1:?build folder}
program="$build/tests/kvz_players_heard"
# shellcheck source=../support/skip.sh
. "$(dirname "$0")/../support/skip.sh"
for tool in pulseaudio pactl parec; do command -v $tool >/dev/null || skip "$tool is not installed"; done
[ -x "$program" ] || { echo "FAIL: $program not built"; exit 1; }

runtime=$(mktemp -d /tmp/kvz-sound-check.XXXXXX)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime HOME=$runtime
unset PULSE_SERVER PULSE_SINK
cleanup() { pulseaudio --kill 2>/dev/null || true; rm -rf "$runtime"; }
trap cleanup EXIT
pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
  --load=module-native-protocol-unix 2>"$runtime/pulse.log" || skip "no sound server: $(tail -n 1 "$runtime/pulse.log")"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || skip "no sound server: pulseaudio does not answer"

QT_QPA_PLATFORM=offscreen "$program" >"$runtime/program.out" 2>"$runtime/program.log" && { cat "$runtime/program.out"; exit 0; }
status=$?
# The program's own "cannot run here" goes through the one decision as well.
[ $status -ne 77 ] || skip "$(sed -n 's/^SKIPPED: //p' "$runtime/program.out")"
cat "$runtime/program.out"
tail -n 20 "$runtime/program.log"
exit $status
