#!/usr/bin/env bash
# The compiled question bank as the game will read it. "kvizarion-qst check" finds what would go
# wrong in a game (sizes, letters, shares, texts cut off on the plates measured with the game's
# fonts, duplicates, steps without a question, shares not adding up to 100, a right answer at
# 0 %); it must report no error and no warning. The bank's shape is checked on top: 20 questions
# per step, no three wrong answers with the same share (a vote never looks like that),
# the right letters spread 5/5/5/5 in every step, the right answer's average share falling from
# step to step (the audience is less sure as the questions get harder), and no opening of two
# words ("Kdo napsal", "Ve kterém") in more than four questions, so that a player who meets every
# question hears no formula. The shape check is also run on spoiled copies of the bank, which it
# must reject.
set -euo pipefail
build=${1:?build folder}
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
qst="$build/kvizarion-qst"
# Errors and warnings go to stderr; a missing or empty folder is an error there too.
report=$("$qst" check "$build/qst" 2>&1 >/dev/null) && [ -z "$report" ] ||
  { echo "$report"; echo "FAIL: the bank must check without errors and warnings"; exit 1; }

# shape DIR: prints what is wrong with the bank's shape; exit status 1 when anything is.
shape() {
  "$qst" dump "$1" | awk '
    /^\[[0-9][0-9]-[0-9][0-9][0-9]\]/ { id = $0; step = substr($0, 2, 2) + 0; n[step]++ }
    /^Zadani:/ { t = substr($0, 9); gsub(/[,?.:]/, "", t); split(t, w, " "); opening[w[1] " " w[2]]++ }
    /^Spravna:/ { letter[step] = $2; right[step, $2]++ }
    /^Divaci:/ {
      total[step] += $(index("ABCD", letter[step]) + 1)
      wrong = ""
      for (k = 2; k <= 5; k++) if (k != index("ABCD", letter[step]) + 1) wrong = wrong " " $k
      split(wrong, ws, " ")
      if (ws[1] == ws[2] && ws[2] == ws[3]) { print id ": the three wrong answers share " ws[1] " % each"; bad = 1 }
    }
    END {
      for (o in opening) if (opening[o] > 4) { print "\"" o "\" opens " opening[o] " questions, at most 4"; bad = 1 }
      for (s = 1; s <= 5; s++) {
        if (n[s] != 20) { print "step " s ": " n[s] + 0 " questions, want 20"; bad = 1 }
        for (i = 1; i <= 4; i++) {
          l = substr("ABCD", i, 1)
          if (right[s, l] != 5) { print "step " s ": right letter " l " " right[s, l] + 0 " times, want 5"; bad = 1 }
        }
        avg[s] = n[s] ? total[s] / n[s] : 0
        if (s > 1 && avg[s] >= avg[s - 1]) {
          printf "step %d: right answers average %.1f %%, not below step %d (%.1f %%)\n", s, avg[s], s - 1, avg[s - 1]
          bad = 1
        }
      }
      exit bad
    }'
}

shape "$build/qst" || { echo "FAIL: the bank's shape"; exit 1; }

# Spoiled copies: each must be rejected, or the shape check above proves nothing.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$qst" dump "$build/qst" >"$work/bank.txt"
spoil() {
  local name=$1 script=$2
  awk "$script" "$work/bank.txt" >"$work/$name.txt"
  rm -rf "$work/out"
  "$qst" build "$work/$name.txt" -o "$work/out" >/dev/null 2>&1 || { echo "FAIL: spoiled bank '$name' did not build"; exit 1; }
  if shape "$work/out" >/dev/null; then
    echo "FAIL: the shape check accepted a bank with $name"
    exit 1
  fi
}
# One question of step 3 left out.
spoil "19 questions in a step" '/^\[03-020\]/ { skip = 1 } /^\[/ && !/^\[03-020\]/ { skip = 0 } !skip'
# One right letter of step 2 moved to another answer (shares kept as they are).
spoil "right letters not spread" '/^\[02-001\]/ { hit = 1 } hit && /^Spravna:/ { $2 = ($2 == "A" ? "B" : "A"); hit = 0 } 1'
# Step 5 audience made surer than step 4: every right answer there gets the largest share.
spoil "step 5 easier than step 4" '
  /^\[05-/ { five = 1 } /^\[0[1-4]-/ { five = 0 }
  five && /^Spravna:/ { l = $2 }
  five && /^Divaci:/ { i = index("ABCD", l) + 1; for (k = 2; k <= 5; k++) $k = (k == i ? 97 : 1) }
  1'
# The first right answer at 70 % and the three wrong ones at 10 % each.
spoil "three equal wrong shares" '
  /^\[01-001\]/ { hit = 1 } hit && /^Spravna:/ { l = $2 }
  hit && /^Divaci:/ { i = index("ABCD", l) + 1; for (k = 2; k <= 5; k++) $k = (k == i ? 70 : 10); hit = 0 }
  1'
# Five questions more opening with the same two words.
spoil "an opening in nine questions" '/^Zadani:/ && n++ < 5 { $0 = "Zadani: Kdo napsal " substr($0, 9) } 1'
echo "the bank: no error, no warning, shape as required; 5 spoiled copies rejected"
