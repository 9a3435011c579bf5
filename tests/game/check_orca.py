# What the Orca screen reader says of the first question: the real program with an accessibility
# bus of its own and Orca started on it. Orca's debug log holds every utterance it sends to
# speech ("SPEECH OUTPUT: '...'"); Orca runs with its speech output off, since speech-dispatcher
# hangs here (with its espeak-ng module the third utterance is never answered and Orca waits for
# it for good). Checked: the menu's focused button named, the game started with Enter, then the
# question and the four answers of question 1 spoken as they appear.
#
# Usage: check_orca.py BUILD_DIR. Needs orca besides what check_accessibility.py needs.
import os, re, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "e2e"))
from play import QUESTIONS, question  # noqa: E402
from kvz_check import fail, need, run, skip  # noqa: E402


def check(s):
    need("orca")
    s.game_dir(QUESTIONS)
    s.start_a11y_bus()
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
