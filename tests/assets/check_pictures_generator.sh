#!/usr/bin/env bash
# The picture generator run by hand: the same pictures on every run, and a plain failure (the
# old list kept) when it cannot write. That every picture is written and listed under its name is
# the pictures' unit test (the build compiles the list; each name is looked up), and so is the
# pointer's transparency.
set -u
build=${1:?usage: check_pictures_generator.sh BUILD_DIR}
gen=$build/tools/assetgen/kvz_assetgen
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$gen" "$tmp/a" >/dev/null 2>&1 || fail "the generator failed on a fresh folder"
"$gen" "$tmp/b" >/dev/null 2>&1 || fail "the second run failed"
diff -r "$tmp/a" "$tmp/b" >/dev/null || fail "two runs drew different pictures"

"$gen" >/dev/null 2>&1
[ $? -eq 2 ] || fail "no output folder given: expected the usage error (2)"

touch "$tmp/file"
if "$gen" "$tmp/file/out" >/dev/null 2>&1; then fail "an output folder under a file was reported as success"; fi

# A picture that cannot be written fails the run and leaves the previous list in place.
mkdir -p "$tmp/c/pictures/A-M.png"
echo old >"$tmp/c/pictures.qrc"
if "$gen" "$tmp/c" >/dev/null 2>&1; then fail "an unwritable picture was reported as success"; fi
[ "$(cat "$tmp/c/pictures.qrc")" = old ] || fail "a failed run replaced the resource list"

[ $failures -eq 0 ] && echo "picture generator: all checks passed"
exit $((failures > 0))
