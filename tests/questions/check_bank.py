# The compiled question bank as the game will read it. "kvizarion-qst check" finds what would go
# wrong in a game (sizes, letters, shares, texts cut off on the plates measured with the game's
# fonts, duplicates, steps without a question, shares not adding up to 100, a right answer at
# 0 %); it must report no error and no warning. The bank's shape is checked on top: 20 questions
# per step, no three wrong answers with the same share (a vote never looks like that),
# the right letters spread 5/5/5/5 in every step, the right answer's average share falling from
# step to step (the audience is less sure as the questions get harder), and no opening of two
# words ("Kdo napsal", "Ve kterém") in more than four questions, so that a player who meets every
# question hears no formula. The shape check is also run on spoiled copies of the bank, each of
# which it must reject for its own fault.
#
# Usage: check_bank.py BUILD_DIR.
import collections, copy, os, re, subprocess, sys  # noqa: E401

build = sys.argv[1] if len(sys.argv) > 1 else sys.exit("usage: check_bank.py BUILD_DIR")
qst, folder = os.path.join(build, "kvizarion-qst"), os.path.join(build, "qst")
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", ASAN_OPTIONS="detect_leaks=0")
# Errors and warnings go to stderr; a missing or empty folder is an error there too.
checked = subprocess.run([qst, "check", folder], env=env, capture_output=True, text=True)
if checked.returncode or checked.stderr:
    sys.exit(f"{checked.stderr}FAIL: the bank must check without errors and warnings")


def questions():
    # The bank as dumped: one dict of fields a question, with its "id" line and its "step".
    bank = []
    for line in subprocess.run([qst, "dump", folder], env=env, capture_output=True, text=True, check=True).stdout.splitlines():
        if re.match(r"\[\d\d-\d{3}\]", line):
            bank.append({"id": line, "step": int(line[1:3])})
        elif bank and ": " in line:
            bank[-1].update([line.split(": ", 1)])
    return bank


def faults(bank):
    out, openings, letters, right = [], collections.Counter(), collections.Counter(), collections.defaultdict(list)
    for q in bank:
        openings[" ".join(re.sub(r"[,?.:]", "", q["Zadani"]).split()[:2])] += 1
        letters[q["step"], q["Spravna"]] += 1
        shares = dict(zip("ABCD", q["Divaci"].split()))
        right[q["step"]].append(float(shares.pop(q["Spravna"])))
        if len(set(shares.values())) == 1:
            out.append(f"{q['id']}: the three wrong answers share {shares.popitem()[1]} % each")
    out += [f'"{o}" opens {n} questions, at most 4' for o, n in openings.items() if n > 4]
    out += [f"step {s}: {len(right[s])} questions, want 20" for s in range(1, 6) if len(right[s]) != 20]
    out += [f"step {s}: right letter {x} {letters[s, x]} times, want 5" for s in range(1, 6) for x in "ABCD" if letters[s, x] != 5]
    average = {s: sum(right[s]) / max(len(right[s]), 1) for s in range(1, 6)}
    return out + [f"step {s}: right answers average {average[s]:.1f} %, not below step {s - 1} ({average[s - 1]:.1f} %)"
                  for s in range(2, 6) if average[s] >= average[s - 1]]


bank = questions()
if found := faults(bank):
    sys.exit("\n".join(found) + "\nFAIL: the bank's shape")


def first(bank, step):
    return next(q for q in bank if q["step"] == step)


def votes(q, right, wrong):
    # The shares given to the right answer and to the wrong ones, in the letters' order.
    q["Divaci"] = " ".join(right if x == q["Spravna"] else wrong.pop(0) for x in "ABCD")


# Spoiled copies, by the fault each must be rejected for: or the shape check proves nothing.
SPOILS = {
    "step 3: 19 questions": lambda b: b.remove(first(b, 3)),
    "step 2: right letter": lambda b: first(b, 2).update(Spravna="B" if first(b, 2)["Spravna"] == "A" else "A"),
    "step 5: right answers average": lambda b: [votes(q, "94", ["1", "2", "3"]) for q in b if q["step"] == 5],
    "the three wrong answers share 10 %": lambda b: votes(first(b, 1), "70", ["10"] * 3),
    '"Kdo napsal" opens': lambda b: [q.update(Zadani="Kdo napsal " + q["Zadani"]) for q in b[:5]],
}
for fault, spoil in SPOILS.items():
    spoil(spoiled := copy.deepcopy(bank))
    if not any(fault in f for f in faults(spoiled)):
        sys.exit(f"FAIL: the shape check did not find \"{fault}\" in a spoiled bank (it found {faults(spoiled)})")
print(f"the bank: no error, no warning, shape as required; {len(SPOILS)} spoiled copies rejected")
