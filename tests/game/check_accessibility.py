# One whole game followed as a screen reader follows it, from the accessibility tree and events
# alone: the real program with an accessibility bus of its own (at-spi2-core), read over AT-SPI.
# The menu's buttons by name; after each reveal the question and its four answers with their
# exact texts and the ladder row; after fifty-fifty two wrong answers gone and the icon named as
# used; the announcements of the reveal, the pick, the verdict and the amount, in order and at
# their times, each soon after the program logged it. The game is started with Enter and every
# answer given by key.
#
# Usage: check_accessibility.py BUILD_DIR. Needs dbus-daemon, at-spi2-core and python3-pyatspi.
import os, re, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "e2e"))
from play import QUESTIONS, question  # noqa: E402
from kvz_check import fail, near, run, skip  # noqa: E402

AMOUNTS = ["1 000 Kč", "2 000 Kč", "3 000 Kč", "5 000 Kč", "10 000 Kč"]
LATE_MS = 1000  # how late an announcement may be heard after the program logged it


def check(s):
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
    except (ImportError, ValueError):
        skip("the AT-SPI typelib for /usr/bin/python3 is not installed (python3-pyatspi)")
    s.game_dir(QUESTIONS)
    s.start_x()
    s.start_pulse()
    s.start_a11y_bus()
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = s.env["DBUS_SESSION_BUS_ADDRESS"]
    Atspi.init()
    heard = []  # (time, text) of each notification shown

    def on_event(event):
        try:
            if event.detail1 and event.source.get_role() == Atspi.Role.NOTIFICATION:
                heard.append((time.monotonic(), event.source.get_name()))
        except GLib.Error:
            pass

    listener = Atspi.EventListener.new(on_event)
    listener.register("object:state-changed:showing")

    # Every showing object's name below the program's node, of one role; a window closing while
    # it is read takes its objects with it.
    def pump():
        while GLib.MainContext.default().iteration(False):
            pass
        return True

    def names(role):
        pump()
        out, todo = [], [Atspi.get_desktop(0)]
        while todo:
            try:
                node = todo.pop()
                for i in range(node.get_child_count()):
                    child = node.get_child_at_index(i)
                    if node.get_role() == Atspi.Role.DESKTOP_FRAME:
                        if child and (child.get_name() or "").lower() == "kvizarion":
                            child.set_cache_mask(Atspi.Cache.NONE)  # read afresh: the game changes it
                            todo.append(child)
                    elif child:
                        todo.append(child)
                        if child.get_role_name() == role:
                            out.append(child.get_name() or "")
            except GLib.Error:
                continue
        return out

    def heard_from(start, count, what):
        s.until(lambda: pump() and len(heard) >= start + count, 20, what)
        return heard[start:start + count]

    # The reader listens before the game starts, as a screen reader does: a program started first
    # may miss the news that someone listens and tell nobody of its notifications.
    s.start_game()
    d = s.layout["durations"]
    buttons = ["nová hra", "pravidla", "about", "ukončit"]
    s.until(lambda: all(b in names("push button") for b in buttons), 30, "the menu's buttons by name")
    s.key("Return")  # the first button has the focus
    for level in range(1, 6):
        q = question(level)
        answers = [f"{x}: {q[x]}" for x in "ABCD"]
        start = len(heard)
        times = [t for t, _ in heard_from(start, 5, f"the reveal of question {level}")]
        if [w for _, w in heard[start:start + 5]] != [q["Zadani"]] + answers:
            fail(f"question {level} told as {heard[start:start + 5]}")
        labels = names("label")
        ladder = next((n for n in labels if re.match(r"\d+: ", n)), "")
        if q["Zadani"] not in labels or not ladder.startswith(f"{level}: "):
            fail(f"question {level}: the question or the ladder row {level} is not in the tree: {labels}")
        if level > 1:  # the first question is told once its window is open: answers timed from A
            near(f"question {level}: A after the question", times[1] - times[0], 2 * d["reveal_step"])
        for i in range(2, 5):
            near(f"question {level}: answer {i} after A", times[i] - times[1], d["reveal_step"] * (i - 1))
        right = q["Spravna"]
        if level == 1:
            start = len(heard)
            s.key("F5")
            heard_from(start, 1, "fifty-fifty told")
            left = [a for a in answers if a in names("label")]
            if len(left) != 2 or f"{right}: {q[right]}" not in left:
                fail(f"after fifty-fifty the answers {left} are left")
            if "50:50, použito" not in names("push button"):
                fail(f"the fifty-fifty icon after use: {names('push button')}")
        start = len(heard)
        pressed = s.key(right.lower())
        amount = f"Výhra {AMOUNTS[level - 1]}" + (". Konec hry." if level == 5 else "")
        told = heard_from(start, 3, f"the verdict of question {level}")
        if [w for _, w in told] != [f"Volíte {right}: {q[right]}", "Správně!", amount]:
            fail(f"question {level}: the pick, verdict and amount told as {told}")
        near(f"question {level}: verdict after the key", told[1][0] - pressed, d["suspense"][level - 1])
        near(f"question {level}: amount after the verdict", told[2][0] - told[1][0], 2 * d["blink"] + d["after_right"])
    s.until(lambda: "nová hra" in names("push button"), 15, "the menu after the game")

    # Each announcement of the timing log heard, in its order, soon after it was made; the first
    # question is made before its window opens and told once it has.
    logged = [(t, w[len("announce "):]) for t, w in s.log("announce")]
    opened = s.log("painted frmMain")[0][0]
    logged[0] = (max(logged[0][0], opened), logged[0][1])
    if [w for _, w in logged] != [w for _, w in heard]:
        fail(f"logged {[w for _, w in logged]} but heard {[w for _, w in heard]}")
    late = max(got - made for (made, _), (got, _) in zip(logged, heard))
    if late * 1000 > LATE_MS or min(got - made for (made, _), (got, _) in zip(logged, heard)) < -0.005:
        fail(f"an announcement was heard {late * 1000:.0f} ms after it was logged (at most {LATE_MS})")
    print(f"check: {len(heard)} announcements heard in order, latest {late * 1000:.0f} ms after the log")


run(check)
