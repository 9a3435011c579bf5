# One whole game followed as a screen reader follows it, from the accessibility tree and events
# alone: the real program with an accessibility bus of its own (at-spi2-core), read over AT-SPI.
# The menu's buttons by name; after the first reveal the question and the ladder row in the tree;
# after fifty-fifty two wrong answers gone and the icon named as used; every announcement the
# program logs (the reveals, picks, verdicts and amounts, whose texts and times the unit tests
# check) heard, in its order, soon after it was logged. The game is started with Enter and every
# answer given by key.
# Then the Orca screen reader on the same bus, with a new game: Orca's debug log holds every
# utterance it sends to speech ("SPEECH OUTPUT: '...'"); Orca runs with its speech output off, since
# speech-dispatcher hangs here (with its espeak-ng module the third utterance is never answered and
# Orca waits for it for good). Checked: the menu's focused button named, the game started with
# Enter, then the question and the four answers of question 1 spoken as they appear.
#
# Usage: check_accessibility.py BUILD_DIR. Needs dbus-daemon, at-spi2-core, python3-pyatspi and orca.
import os, re, time  # noqa: E401

from play import QUESTIONS, question
from kvz_check import fail, need, run, skip

LATE_MS = 1000  # how late an announcement may be heard after the program logged it


def check(s):
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
    except (ImportError, ValueError):
        skip("the AT-SPI typelib for /usr/bin/python3 is not installed (python3-pyatspi)")
    s.game_dir(QUESTIONS)
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

    def pump():
        while GLib.MainContext.default().iteration(False):
            pass
        return True

    # The names of one role's objects below the program's node, read afresh (the game changes
    # them); a window closing while it is read takes its objects with it.
    def names(role):
        pump()
        desktop, out = Atspi.get_desktop(0), []
        apps = map(desktop.get_child_at_index, range(desktop.get_child_count()))
        todo = [a for a in apps if a and (a.get_name() or "").lower() == "kvizarion"]
        for app in todo:
            app.set_cache_mask(Atspi.Cache.NONE)
        while todo:
            try:
                node = todo.pop()
                kids = [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]
                out += [c.get_name() or "" for c in kids if c.get_role_name() == role]
                todo += kids
            except GLib.Error:
                continue
        return out

    told = [0]  # how many announcements the game has been seen to make so far

    def hear(count, what):
        told[0] += count
        s.until(lambda: pump() and len(heard) >= told[0], 20, what)

    # The reader listens before the game starts, as a screen reader does: a program started first
    # may miss the news that someone listens and tell nobody of its notifications.
    s.start_game("no_fullscreen")
    buttons = ["nová hra", "pravidla", "about", "ukončit"]
    s.until(lambda: all(b in names("push button") for b in buttons), 30, "the menu's buttons by name")
    s.key("Return")  # the first button has the focus
    for level in range(1, 6):
        q = question(level)
        hear(5, f"the reveal of question {level}")
        labels = names("label")
        ladder = next((n for n in labels if re.match(r"\d+: ", n)), "")
        if q["Zadani"] not in labels or not ladder.startswith(f"{level}: "):
            fail(f"question {level}: the question or the ladder row {level} is not in the tree: {labels}")
        right = q["Spravna"]
        if level == 1:
            s.key("F5")
            hear(1, "fifty-fifty told")
            left = [a for a in (f"{x}: {q[x]}" for x in "ABCD") if a in names("label")]
            if len(left) != 2 or f"{right}: {q[right]}" not in left:
                fail(f"after fifty-fifty the answers {left} are left")
            if "50:50, použito" not in names("push button"):
                fail(f"the fifty-fifty icon after use: {names('push button')}")
        s.key(right.lower())
        hear(3, f"the pick, verdict and amount of question {level}")
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
    s.stop_game()
    orca_speaks(s)


def orca_speaks(s):
    need("orca")  # after the game over AT-SPI, which needs no Orca: its faults are found without it
    speech = s.path("orca.debug")
    orca = s.spawn("orca", ["orca", "--disable", "speech", "--user-prefs", s.path("orca-prefs"), "--debug-file", speech])
    said = lambda: re.findall(r"SPEECH OUTPUT: '([^']*)'", open(speech, errors="replace").read()) if os.path.exists(speech) else []  # noqa: E731
    # Ready once it listens for focus changes.
    ready = "registering listener for: object:state-changed:focused"
    s.until(lambda: os.path.exists(speech) and ready in open(speech, errors="replace").read(), 60,
            "Orca listening", on_timeout=lambda why: skip(f"Orca does not start here ({s.tail('orca', 1)})"))
    s.start_game("no_fullscreen")
    # Orca's debug log is written in blocks, so what it said is read once it has ended (a clean
    # end writes the rest); meanwhile the program's own timing log tells where the game is.
    s.wait_log("painted frmIntro", 30)
    time.sleep(2)  # Orca names the window and its focused button
    s.key("Return")
    s.wait_log("announce D: ", 40)
    time.sleep(2)  # Orca speaks the last answer
    s.end(orca)
    q = question(1)
    missing = [t for t in ["nová hra", q["Zadani"]] + [f"{x}: {q[x]}" for x in "ABCD"] if not any(t in u for u in said())]
    if missing:
        fail(f"Orca did not speak {missing} (it said: {' | '.join(said()[-12:])})")


run(check)
