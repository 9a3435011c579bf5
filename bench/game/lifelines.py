# The lifelines on the real clock: the real program under Xvfb with a PulseAudio null sink,
# driven by xdotool, RUNS times (default 5): a game with fifty-fifty, the poll and a short call
# on question 1, and a game with a long call on question 2. Times come from the program's
# timing log (one line per lifeline step); fifty-fifty is timed from the key release to the
# framebuffer showing two answers gone; memory is the program's resident set before the call
# and while the countdown video plays.
#
# Usage: python3 bench/game/lifelines.py BUILD_DIR [RUNS]
import os, statistics, sys, time  # noqa: E401

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "..", "tests", *p) for p in (("support",), ("game",))]
from kvz_check import run  # noqa: E402
from play import at_menu  # noqa: E402

# Steps the timing log tells that no layout duration names: ms after the click, and the call's
# typing (characters a second, 100 ms a character, cut off at 30 s or 300 characters).
POLL_RETURN_MS, CALL_RETURN_MS, TYPED_PER_S, CALL_LIMIT_MS, CALL_LIMIT_CHARS = 25270, 1250, 10, 30000, 300


def rss_kib(s):
    return int(next(line.split()[1] for line in open(f"/proc/{s.game.pid}/status") if line.startswith("VmRSS")))


def quit_game(s, g):
    s.key("Escape")
    g.box(True)
    s.key("Return")
    g.menu(10)


def timed_steps(s, d):
    # Each poll's and call's steps from the timing log: (step, measured, intended), in ms.
    out, at = [], {}
    for t, line in ((t * 1000, w) for t, w in s.log()):
        word = line.split()
        at[" ".join(word[:2])] = t
        if line.startswith("poll "):
            want = {"poll empty": d["poll_empty_graph"], "poll result": d["poll_bars"], "poll return": POLL_RETURN_MS}
            out += [("poll." + word[1], t - at["poll click"], want[" ".join(word[:2])])] if " ".join(word[:2]) in want else []
        elif line.startswith("call pick-up"):
            out.append(("call.pickup", t - at["call click"], d["call_pick_up"]))
            chars = int(word[2])
        elif line.startswith("call typed"):
            at["call first" if word[2] == "1" else "call last"] = t
        elif line.startswith("call end"):
            if chars + 5 <= CALL_LIMIT_CHARS:
                out += [("call.cadence", (chars - 1) * 1000 / (at["call last"] - at["call first"]), TYPED_PER_S),
                        ("call.end.short", t - at["call pick-up"], (chars + 5) * 100)]
            else:
                out += [("call.cadence", int(word[2]) * 1000 / (t - at["call first"]), TYPED_PER_S),
                        ("call.end.long", t - at["call pick-up"], CALL_LIMIT_MS)]
        elif line.startswith("call return"):
            out.append(("call.return", t - at["call end"], CALL_RETURN_MS))
    return out


def row(name, want, values):
    v = sorted(values)
    return f"{name:<16} {want:>6} {len(v):4} {v[0]:9.1f} {statistics.median_low(v):9.1f} {max(map(abs, v)):9.1f}"


def bench(s):
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    s.game_dir(os.path.join(here, "lifelines_questions.txt"))
    g, painted, rss = at_menu(s), [], {"rss.before": [], "rss.video": []}
    panel = s.place("frmMain", "txtNTelVypis")
    for n in range(1, runs + 1):
        # Game A: fifty-fifty, the poll, a short call.
        g.new_game()
        g.wait("11111 bbbb", 30, "question 1")
        # From just before the release is sent: an upper bound, xdotool's start included.
        s.xdo("keydown", "F5")
        sent = time.monotonic()
        s.xdo("keyup", "F5")
        painted.append((s.until(lambda: (st := g.state())[0] == "1" and st[1:5].count("1") == 2 and time.monotonic(), 2,
                                "two answers gone", poll=0.001) - sent) * 1000)
        s.wait_log("poll return", 40, after=s.key("F7"))
        rss["rss.before"].append(rss_kib(s))
        call = s.key("F6")
        s.wait_log("call pick-up", 10, after=call)
        s.until(lambda: any(r < 100 and gr > 180 and b > 180 for r, gr, b in s.fb.pixels(panel)), 3, "the transcript")
        rss["rss.video"].append(rss_kib(s))
        s.wait_log("call return", 40, after=call)
        quit_game(s, g)
        # Game B: a long call on question 2.
        g.new_game()
        g.wait("11111 bbbb", 30, "question 1")
        s.key("a")
        g.wait("W", 30, "the winnings of question 1")
        g.wait("11111 bbbb", 30, "question 2 revealed")
        s.wait_log("call return", 40, after=s.key("F6"))
        quit_game(s, g)
        print(f"run {n} done", file=sys.stderr)

    steps = {}
    for name, measured, want in timed_steps(s, s.layout["durations"]):
        steps.setdefault((name, want), []).append(measured - want)
    print(f"{'step':<16} {'want':>6} {'n':>4} {'min.dev':>9} {'med.dev':>9} {'max|dev|':>9}")
    print(*sorted(row(name, want, v) for (name, want), v in steps.items()), sep="\n")
    print(row("fifty.painted", "-", painted), "  (ms, F5 released to two answers gone)")
    print(*(row(k, "-", v) + "   (KiB)" for k, v in rss.items()), sep="\n")


if __name__ == "__main__":
    run(bench)
