#!/usr/bin/env bash
# The compiled question bank as the game will read it: every file checked for what would go
# wrong in a game (sizes, letters, shares, texts cut off on the plates measured with the
# game's fonts, duplicates, steps without a question).
set -euo pipefail
build=${1:?build folder}
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
test -d "$build/qst" || { echo "no $build/qst: the question bank was not built"; exit 1; }
count=$(find "$build/qst" -maxdepth 1 -name '*.qst' | wc -l)
[ "$count" -gt 0 ] || { echo "$build/qst holds no question file"; exit 1; }
"$build/kvizarion-qst" check "$build/qst"
