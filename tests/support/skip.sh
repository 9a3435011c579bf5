# The one place that decides what a whole-program check does when it cannot run here (its
# server, a tool or root is missing). Sourced by every check_*.sh, directly or through the
# session it sources.
#
# By default such a check says why and exits with 77, which ctest counts as skipped: a
# developer without root or without the test packages still runs the rest. With
# KVZ_STRICT_CHECKS=1 (set by .ci/run, on a machine where "./run.sh test" has installed every
# server and tool) it fails with the same reason instead, so that a skip cannot hide a fault.
skip() {
  if [ "${KVZ_STRICT_CHECKS:-0}" != 0 ]; then
    echo "FAIL: this check cannot run here, and KVZ_STRICT_CHECKS is set: $*"
    exit 1
  fi
  echo "SKIPPED: $*"
  exit 77
}
