# What the packaging checks share: a work folder (kept when a check fails) and fail. Sourced
# after `build` is set.
packaging_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/skip.sh
. "$packaging_dir/../support/skip.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/kvz-packaging.XXXXXX")
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
session_cleanup() {
  local rc=$?
  if [ "$rc" -eq 0 ] || [ "$rc" -eq 77 ]; then rm -rf "$work"; else echo "kept for inspection: $work" >&2; fi
  exit "$rc"
}
trap session_cleanup EXIT
trap 'fail "interrupted"' INT TERM
