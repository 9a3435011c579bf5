# Plays an installed game as far as the first question, on the harness of the game's checks:
# started from a folder that holds none of its files, so that it must find them where it was
# installed; with a window class given, its windows must carry it (a dock matches them with the
# desktop entry by it).
#
# Usage: installed_game.py BUILD_DIR EXECUTABLE [WINDOW_CLASS]; exit 0, 1 failed, 77 skipped.
import os, re, sys  # noqa: E401

sys.path[:0] = [os.path.join(os.path.dirname(os.path.abspath(__file__)), *p) for p in (("..", "support"), ("..", "game", "e2e"))]
from kvz_check import fail, need, note, run  # noqa: E402
from play import at_menu  # noqa: E402


def window_classes(s):
    ids = s.out("xdotool", "search", "--pid", str(s.game.pid)).split()
    return {c for w in ids for c in re.findall(r'= "[^"]*", "(.*)"', s.out("xprop", "-id", w, "WM_CLASS"))}


def check(s):
    program, wanted = sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else ""
    g = at_menu(s, program=program)
    if wanted:
        need("xprop")
        if (classes := window_classes(s)) != {wanted}:
            fail(f"the menu's window class is {sorted(classes)}, not {wanted!r}")
    g.new_game()
    # The question's white text on its plate: the questions were found and read.
    g.wait("1.... .*", 60, "the first question's text")
    note(f"{program} drew the first question")


if __name__ == "__main__":
    run(check)
