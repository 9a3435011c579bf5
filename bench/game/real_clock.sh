#!/usr/bin/env bash
# Timing of whole games on the real clock: plays the whole-game check RUNS times (default 1)
# and prints, for every timed step, how far the measured times lie from the intended ones.
# Times are when a screen poll (every 20-50 ms) or the recording saw the change; see
# tests/game/check_e2e_game.py for what each step measures.
# Usage: bench/game/real_clock.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(cd "${1:?usage: real_clock.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-1}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
check=$here/../../tests/game/check_e2e_game.py
times=$(mktemp)
trap 'rm -f "$times" "$times.run"' EXIT
for run in $(seq "$runs"); do
  KVZ_E2E_TIMES=$times.run /usr/bin/python3 "$check" "$build" >/dev/null
  cat "$times.run" >>"$times"
  echo "run $run done" >&2
done
# A step's name without its question number: verdict.3 -> verdict. Deviation = measured - intended.
awk '{ name = $1; sub(/\.[0-9]+$/, "", name); print name, $2 - $3, $3 }' "$times" | sort -k1,1 -k2,2n | awk '
  function flush(   i, j, t) {
    if (name == "") return
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    printf "%-14s %4d %6s %9d %9d %9d %9d\n", name, n, (mixed ? "2-6k" : want), s[1], s[int((n + 1) / 2)], a[int((n + 1) / 2)], a[n]
  }
  BEGIN { printf "%-14s %4s %6s %9s %9s %9s %9s\n", "step", "n", "want", "min.dev", "med.dev", "med|dev|", "max|dev|" }
  $1 != name { flush(); name = $1; n = 0; want = $3; mixed = 0; split("", a); split("", s) }
  $3 != want { mixed = 1 }
  { n++; s[n] = $2; a[n] = $2 < 0 ? -$2 : $2 }
  END { flush() }'
