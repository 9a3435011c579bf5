#!/usr/bin/env bash
# The picture generator run by hand: every picture written and listed, the same pictures on
# every run, and a plain failure (the old list kept) when it cannot write.
set -u
build=${1:?usage: check_pictures_generator.sh BUILD_DIR}
gen=$build/tools/assetgen/kvz_assetgen
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# PNG colour type, byte 25 of the file: 2 is RGB, 6 is RGB with alpha.
colour_type() { od -An -tu1 -j25 -N1 "$1" | tr -d ' '; }

"$gen" "$tmp/a" >/dev/null 2>&1 || fail "the generator failed on a fresh folder"
listed=$(grep -o 'pictures/[^<]*\.png' "$tmp/a/pictures.qrc" | sort)
written=$(cd "$tmp/a" && ls pictures/*.png | sort)
[ -n "$listed" ] || fail "the resource list names no picture"
[ "$listed" = "$written" ] || fail "the resource list and the files written differ"
grep -q '<qresource prefix="/pictures">' "$tmp/a/pictures.qrc" || fail "the list lacks the /pictures prefix"
for png in "$tmp"/a/pictures/*.png; do
  name=$(basename "$png" .png)
  want=2
  [ "$name" = HAND ] && want=6
  [ "$(colour_type "$png")" = "$want" ] || fail "$name.png has colour type $(colour_type "$png"), expected $want"
done

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
