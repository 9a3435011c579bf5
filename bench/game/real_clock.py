# Timing of whole games on the real clock: the real program under Xvfb with a PulseAudio null
# sink plays RUNS games to the top prize (default 1), with the three lifelines, driven by
# xdotool. Every timer tick comes from the program's timing log; each step's deviation from its
# layout duration is printed (measured - intended, ms).
#
# Usage: python3 bench/game/real_clock.py BUILD_DIR [RUNS]
import os, sys  # noqa: E401

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "..", "tests", *p) for p in (("support",), ("game",))]
from kvz_check import run  # noqa: E402
from play import QUESTIONS, at_menu  # noqa: E402
from lifelines import row  # noqa: E402


def timed_steps(log, d):
    # (step, measured, intended) of the reveal, verdict, blink and winnings timers, in ms.
    out, last, level = [], {}, 0
    for t, line in ((t * 1000, w) for t, w in log):
        if line.startswith("announce Volíte"):
            level, last["pick"] = level + 1, t
        elif line.startswith("painted frmIntro"):
            level = 0
        if not line.startswith("tick "):
            continue
        timer = line[len("tick "):]
        gap = t - last.get(timer, -1e9)
        if timer == "tmrZobrazeniOtazky" and gap < 2 * d["reveal_step"]:
            out.append(("reveal.step", gap, d["reveal_step"]))
        elif timer == "tmrZvuk":
            out.append((f"verdict.{level}", t - last["pick"], d["suspense"][level - 1]))
        elif timer == "tmrBlik" and gap < 2 * d["blink"]:
            out.append(("blink", gap, d["blink"]))
        elif timer == "tmrCastka":
            # The winnings come after the verdict's blinking has ended.
            if last.get("tmrZvuk", -1e9) > last.get(timer, -1e9):
                out.append(("winnings.shown", t - last["tmrBlik"], d["after_right"]))
            else:
                out.append(("winnings.top" if level == 5 else "winnings.go_on", gap,
                            d["winnings_top"] if level == 5 else d["winnings_go_on"]))
        last[timer] = t
    return out


def bench(s):
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 1
    s.game_dir(QUESTIONS)
    g = at_menu(s)
    for n in range(1, runs + 1):
        g.play_top_game()
        print(f"run {n} done", file=sys.stderr)
    steps = {}
    for name, measured, want in timed_steps(s.log(), s.layout["durations"]):
        steps.setdefault((name, want), []).append(measured - want)
    print(f"{'step':<16} {'want':>6} {'n':>4} {'min.dev':>9} {'med.dev':>9} {'max|dev|':>9}")
    print(*sorted(row(name, want, v) for (name, want), v in steps.items()), sep="\n")


if __name__ == "__main__":
    run(bench)
