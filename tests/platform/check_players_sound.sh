#!/usr/bin/env bash
# The effect and music players sound on every one of ten plays in a row, soon after play():
# a player that falls silent after a few rounds, or starts late, fails here. Needs pulseaudio
# and parec; skipped (passes) without them. $1 = build folder.
set -euo pipefail
build=${1:?build folder}
bench="$build/bench_players"
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
  echo "SKIP: pulseaudio or parec missing"; exit 0
fi
[ -x "$bench" ] || { echo "FAIL: $bench not built"; exit 1; }

runtime=$(mktemp -d /tmp/kvz-sound-check.XXXXXX)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime HOME=$runtime
unset PULSE_SERVER
cleanup() { pulseaudio --kill 2>/dev/null || true; rm -rf "$runtime"; }
trap cleanup EXIT
pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
  --load=module-native-protocol-unix 2>/dev/null
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

out=$(QT_QPA_PLATFORM=offscreen "$bench" 2>/dev/null) || { echo "$out"; echo "FAIL: a play stayed silent"; exit 1; }
echo "$out"
# Medians: effects start within 60 ms, the music within 400 ms.
awk '/^effect/ { if ($8 + 0 > 60) bad = 1 } /^music/ { if ($8 + 0 > 400) bad = 1 } END { exit bad }' <<<"$out" ||
  { echo "FAIL: a player starts too late"; exit 1; }
echo "OK"
