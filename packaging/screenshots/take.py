# Takes the screenshots the AppStream metadata names from the real program: the game of the
# build folder in an X server and a sound server of its own (the harness of the game's checks),
# played by real clicks and keys. Writes menu.png, question.png, poll.png and verdict.png
# beside this script.
#
# Usage: python3 packaging/screenshots/take.py BUILD_DIR
import os, re, subprocess, sys  # noqa: E401

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "..", "tests", *p) for p in (("support",), ("game",))]
from kvz_check import need, note, run  # noqa: E402
from play import at_menu  # noqa: E402


def shot(s, name):
    subprocess.run(["convert", "xwd:" + s.path("fb/Xvfb_screen0"), "-strip", os.path.join(here, name + ".png")], check=True)
    note(os.path.join(here, name + ".png"))


def take(s):
    need("convert")
    # The first question of the bank, so that the right letter is known.
    bank = open(os.path.join(here, "..", "..", "data", "questions", "01.txt"), encoding="utf-8").read()
    first = re.search(r"^\[.*?(?=^\[|\Z)", bank, re.M | re.S).group(0)
    right = re.search(r"^Spravna: *(\S)", first, re.M).group(1)
    with open(s.path("shot.txt"), "w", encoding="utf-8") as f:
        f.write(first)
    s.game_dir(s.path("shot.txt"))
    g = at_menu(s)
    s.xdo("mousemove", "639", "479")  # the pointer out of the pictures
    shot(s, "menu")
    g.new_game()
    s.xdo("mousemove", "639", "479")
    g.wait("11111 bbbb", 60, "the question with its four answers")
    shot(s, "question")
    # The audience poll: its bars stand, and the input opens again.
    s.wait_log("poll return", 40, after=s.key("F7"))
    shot(s, "poll")
    s.key(right.lower())
    # The right plate blinks green, orange, green and stays green until the winnings.
    for colour, limit in (("g", 15), ("o", 3), ("g", 3)):
        g.wait(r"11111 .*" + colour + ".*", limit, f"the right answer {colour}")
    shot(s, "verdict")


if __name__ == "__main__":
    run(take)
