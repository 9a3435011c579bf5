"""Plays one whole game of the real program from its accessibility tree and events alone.

Reads, over AT-SPI, what a screen reader would: the menu's buttons by name; after each
reveal the question and the four answers with their exact texts; after fifty-fifty the two
removed answers gone and the icon named as used; the announcements (notifications shown) of
the reveal, the pick, the verdict and the amount, in order and at their times. Answers right
by key (xdotool), the first question after fifty-fifty. Started by check_accessibility.sh.

Usage: atspi_game.py QUESTIONS_TXT TIMING_LOG. Exits 0 when all is well, 1 with the reasons.
"""
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

LEVELS = 5
# How late an event may arrive after the program logged it, and how far a measured
# interval may stray from its designed length (a loaded machine polls late).
LATE_MS, EARLY_MS = 1000, 400
SUSPENSE_MS = {1: 2000, 2: 3000, 3: 4000, 4: 4000, 5: 6000}
AMOUNTS = {1: "1 000 Kč", 2: "2 000 Kč", 3: "3 000 Kč", 4: "5 000 Kč", 5: "10 000 Kč"}

failures = []
heard = []  # (monotonic ms, text) of each notification shown


def fail(msg):
    failures.append(msg)
    print("FAIL:", msg, flush=True)


def now_ms():
    return time.monotonic() * 1000.0


def on_event(event):
    try:
        if event.detail1 and event.source.get_role() == Atspi.Role.NOTIFICATION:
            heard.append((now_ms(), event.source.get_name()))
    except GLib.Error:
        pass


def pump(seconds):
    end = time.monotonic() + seconds
    ctx = GLib.MainContext.default()
    while time.monotonic() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.01)


def wait_for(what, predicate, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        pump(0.05)
    raise SystemExit(f"FAIL: no {what} within {timeout} s")


def questions(path):
    qs, cur = {}, None
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        m = re.match(r"\[(\d\d)-\d+\]", line)
        if m:
            cur = qs.setdefault(int(m.group(1)), {})
        elif cur is not None and ": " in line:
            key, value = line.split(": ", 1)
            cur[key] = value
    return qs


def app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        a = desktop.get_child_at_index(i)
        if a and (a.get_name() or "").lower() == "kvizarion":
            a.set_cache_mask(Atspi.Cache.NONE)
            return a
    return None


def walk(obj):
    """Every showing object below obj: (role name, name, object)."""
    out = []
    try:
        n = obj.get_child_count()
    except GLib.Error:
        return out
    for i in range(n):
        # A window closing while it is read (the game's end) takes its objects with it.
        try:
            c = obj.get_child_at_index(i)
            if c is None:
                continue
            out.append((c.get_role_name(), c.get_name() or "", c))
        except GLib.Error:
            continue
        out.extend(walk(c))
    return out


def names(role=None):
    a = app()
    if not a:
        return []
    return [n for r, n, _ in walk(a) if role is None or r == role]


def key(k):
    subprocess.run(["xdotool", "key", k], check=True)


def expect_heard(start, texts, what):
    """The texts heard in this order from index start on; returns their times."""
    got = [t for _, t in heard[start:]]
    if got[: len(texts)] != texts:
        fail(f"{what}: heard {got}, expected {texts}")
        return None
    return [ms for ms, _ in heard[start:start + len(texts)]]


def near(what, measured, expected):
    if not (expected - EARLY_MS <= measured <= expected + LATE_MS):
        fail(f"{what}: {measured:.0f} ms, expected {expected} ms")


def main():
    qs = questions(sys.argv[1])
    Atspi.init()
    listener = Atspi.EventListener.new(on_event)
    listener.register("object:state-changed:showing")
    # The caller starts the game once this listens, as a screen reader runs before the game.
    print("listening", flush=True)

    wait_for("program on the accessibility bus", app, 20)
    buttons = ["nová hra", "pravidla", "about", "ukončit"]
    wait_for("menu buttons", lambda: all(b in names("push button") for b in buttons), 20)
    # The first button has the focus: Enter starts the game.
    key("Return")

    for level in range(1, LEVELS + 1):
        q = qs[level]
        answers = [f"{x}: {q[x]}" for x in "ABCD"]
        start = len(heard)
        wait_for(f"question {level} revealed", lambda: all(a in names("label") for a in answers), 15)
        pump(0.3)
        shown = names("label")
        if q["Zadani"] not in shown:
            fail(f"question {level}: {q['Zadani']!r} not in the tree {shown}")
        ladder = next((n for n in shown if re.match(r"^\d+: ", n)), None)
        if ladder is None or not ladder.startswith(f"{level}: "):
            fail(f"question {level}: ladder row {ladder!r}")
        times = expect_heard(start, [q["Zadani"]] + answers, f"reveal of question {level}")
        if times:
            # The first question is told once its window is open, so the answers are timed from A.
            if level > 1:
                near(f"question {level}: answer A after the question", times[1] - times[0], 2000)
            for i in range(2, 5):
                near(f"question {level}: answer {i} after A", times[i] - times[1], 1000 * (i - 1))
        right = q["Spravna"]
        if level == 1:
            # Fifty-fifty: two wrong answers leave the tree, the icon is named as used.
            start = len(heard)
            key("F5")
            wait_for("fifty-fifty", lambda: len(heard) > start, 5)
            pump(0.3)
            left = [a for a in answers if a in names("label")]
            if len(left) != 2 or f"{right}: {q[right]}" not in left:
                fail(f"after fifty-fifty the answers {left}")
            if "50:50, použito" not in names("push button"):
                fail(f"fifty-fifty icon after use: {names('push button')}")
        start = len(heard)
        pressed = now_ms()
        key(right.lower())
        amount = "Výhra " + AMOUNTS[level] + (". Konec hry." if level == LEVELS else "")
        texts = [f"Volíte {right}: {q[right]}", "Správně!", amount]
        wait_for(f"amount of question {level}", lambda: len(heard) >= start + 3, 20)
        times = expect_heard(start, texts, f"verdict of question {level}")
        if times:
            near(f"question {level}: verdict after the key", times[1] - pressed, SUSPENSE_MS[level])
            near(f"question {level}: amount after the verdict", times[2] - times[1], 2200)

    # Back on the menu after the top prize.
    wait_for("menu after the game", lambda: "nová hra" in names("push button"), 15)
    check_log(sys.argv[2])
    return 1 if failures else 0


def check_log(path):
    """Each announcement of the timing log was heard, in its order, soon after it was made."""
    logged, opened = [], None
    for line in open(path, encoding="utf-8", errors="replace"):
        m = re.match(r"kvizarion\.timing: (\d+) (announce|painted frmMain) ?(.*)$", line.rstrip("\n"))
        if m and m.group(2) == "announce":
            logged.append((int(m.group(1)), m.group(3)))
        elif m and opened is None:
            opened = int(m.group(1))
    # The first question is made before its window opens and told once it has.
    if logged and opened is not None:
        logged[0] = (max(logged[0][0], opened), logged[0][1])
    if [t for _, t in logged] != [t for _, t in heard]:
        fail(f"logged {[t for _, t in logged]} but heard {[t for _, t in heard]}")
        return
    for (made, text), (got, _) in zip(logged, heard):
        if not (0 <= got - made + 5 <= LATE_MS):
            fail(f"{text!r} heard {got - made:.0f} ms after it was logged")
    print(f"atspi: {len(heard)} announcements heard in order, "
          f"latest {max(g - m for (m, _), (g, _) in zip(logged, heard)):.0f} ms after the log", flush=True)


if __name__ == "__main__":
    sys.exit(main())
