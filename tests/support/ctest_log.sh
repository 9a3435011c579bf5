#!/usr/bin/env bash
# Reads the JUnit file of a ctest run (ctest --output-junit FILE).
#   ctest_log.sh skipped FILE        every skipped test with the reason it gave
#   ctest_log.sh tracer-crashes FILE the failed tests whose only fault is LeakSanitizer's own crash
#                                    at exit (its tracer dies while threads end); prints nothing
#                                    when any failed test has another fault as well
set -euo pipefail
what=${1:?usage: ctest_log.sh skipped|tracer-crashes FILE}
file=${2:?usage: ctest_log.sh skipped|tracer-crashes FILE}
[ -f "$file" ] || exit 0

awk -v what="$what" '
  function finish() {
    if (name == "") return
    if (status == "notrun" && what == "skipped") printf "  %s: %s\n", name, reason == "" ? "(no reason given)" : reason
    if (status == "fail") { if (tracer && !other) crashed = crashed name "\n"; else others = 1 }
    name = ""
  }
  /<testcase / {
    finish()
    match($0, /name="[^"]*"/); name = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, /status="[^"]*"/); status = substr($0, RSTART + 8, RLENGTH - 9)
    reason = ""; tracer = 0; other = 0; next_is_reason = 0
  }
  {
    line = $0
    sub(/^[ \t]*<system-out>/, "", line)
    if (next_is_reason) { reason = line; next_is_reason = 0 }
    if (line ~ /^SKIPPED: /) reason = substr(line, 10)
    if (line ~ /: Skipped$/) next_is_reason = 1
    if ($0 ~ /LeakSanitizer has encountered a fatal error/) tracer = 1
    if ($0 ~ /ERROR: (AddressSanitizer|LeakSanitizer): detected|runtime error:|\[  FAILED  \]|<failure message="[^"]/) other = 1
  }
  END { finish(); if (what == "tracer-crashes" && !others) printf "%s", crashed }
' "$file"
