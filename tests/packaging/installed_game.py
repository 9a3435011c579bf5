# Plays the game a desktop entry starts as far as the first question, on the harness of the
# game's checks: the entry's Exec= (read as the desktop reads it) must start the installed game,
# started from a folder that holds none of its files, so that it must find them where it was
# installed; its windows must carry the entry's StartupWMClass (a dock matches them with the
# entry by it).
#
# Usage: installed_game.py BUILD_DIR DESKTOP_FILE INSTALLED_GAME; exit 0, 1 failed, 77 skipped.
import os, re, sys  # noqa: E401

sys.path[:0] = [os.path.join(os.path.dirname(os.path.abspath(__file__)), *p) for p in (("..", "support"), ("..", "game"))]
from gi.repository import GLib  # noqa: E402
from kvz_check import fail, need, run  # noqa: E402
from play import at_menu  # noqa: E402


def check(s):
    need("xprop")
    entry, installed = GLib.KeyFile(), sys.argv[3]
    entry.load_from_file(sys.argv[2], GLib.KeyFileFlags.NONE)
    program = GLib.shell_parse_argv(entry.get_string("Desktop Entry", "Exec"))[1][0].replace("%%", "%")
    if program != installed:
        fail(f"Exec= starts {program}, not the installed game {installed}")
    g = at_menu(s, program=program)
    ids = s.out("xdotool", "search", "--pid", str(s.game.pid)).split()
    classes = {c for w in ids for c in re.findall(r'= "[^"]*", "(.*)"', s.out("xprop", "-id", w, "WM_CLASS"))}
    if classes != {wanted := entry.get_string("Desktop Entry", "StartupWMClass")}:
        fail(f"the menu's window class is {sorted(classes)}, not {wanted!r}")
    g.new_game()
    # The question's white text on its plate: the questions were found and read.
    g.wait("1.... .*", 60, "the first question's text")
    print(f"check: {program} drew the first question")


run(check)
