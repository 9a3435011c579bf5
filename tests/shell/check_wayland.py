# The game on a Wayland compositor: weston nested in Xvfb (one 1920x1080 output) and Qt's Wayland platform.
# No mode to switch: the menu opens full screen at the output's size, the scene drawn at 2 x and centred;
# the pointer and keys reach the game through weston's seat as a player's would: a click on the scaled
# "nová hra" starts a game, and once the question's input is open the key A picks: plate A turns from blue
# to orange and the verdict's timer follows.
import display_checks as d


def plate_a(s):
    # Plate A's colour right of its text, halfway to the plate's edge: b blue until picked, o orange once picked.
    (ax, _, aw, ah), (lx, _, lw, _) = s.place("frmMain", "imgA"), s.place("frmMain", "lblA")
    return d.k.colour(*s.fb.pixel(*d.on_screen(s, "frmMain", "imgA", dx=(lx + lw + ax + aw) // 2 - ax, dy=ah // 2)[:2]))


def check(s):
    d.start_weston_nested(s)
    s.game_dir()
    s.start_game(env={"QT_QPA_PLATFORM": "wayland"})
    s.wait_log("painted frmIntro 1920x1080", 30)
    s.xdo("mousemove", "5", "5")
    s.until(lambda: d.notice_in_place(s, s.fb, *d.SCENE_2X), 10, "the scene at 2 x, centred on black")
    s.click("frmIntro", "imgNova", d.SCENE_2X)
    d.answers_shown(s, "1920x1080")
    s.state(lambda: plate_a(s), "b", 5, "plate A blue before the pick")
    s.key("a")
    s.state(lambda: plate_a(s), "o", 5, "plate A orange once picked")
    s.wait_log("tick tmrZvuk", 10)


d.k.run(check)
