# The scaled full screen on a 1920x1080 screen that cannot switch (Xvfb under openbox, a tint2 panel along
# the bottom). At 100 %, 200 % (Xft.dpi 192), 150 % and 300 % (Qt's factor) the menu and the game cover
# the screen and the panel, the scene drawn at 2 x and centred on black, the menu's screen the same as at
# 100 %, the hand pointer at 2 x; a click on the scaled "nová hra" opens the game, whose answer plate is
# the plate drawn at 2 x (not the small one's pixels enlarged); the information box (F10) is over the
# scene. "no_fullscreen" at Qt's factor 2 is a 1280x960 window with every picture drawn at 2 x ahead of
# the game.
# Then on a Wayland compositor: weston nested in the same screen (one 1920x1080 output) and Qt's Wayland
# platform. No mode to switch: the menu opens full screen at the output's size, the scene drawn at 2 x and
# centred; the pointer and keys reach the game through weston's seat as a player's would: a click on the
# scaled "nová hra" starts a game, and once the question's input is open the key A picks: plate A turns
# from blue to orange and the verdict's timer follows.
import re
import display_checks as d

PANEL = (0, 1040, 1920, 40)  # tint2's own default place


def panel_shows(screen):
    return max(max(p) for p in screen.pixels(PANEL)) > 0


def plate_a_colour(s):
    # Plate A's colour right of its text, halfway to the plate's edge: b blue until picked, o orange once picked.
    (ax, _, aw, ah), (lx, _, lw, _) = s.place("frmMain", "imgA"), s.place("frmMain", "lblA")
    return d.k.colour(*s.fb.pixel(*d.on_screen(s, "frmMain", "imgA", dx=(lx + lw + ax + aw) // 2 - ax, dy=ah // 2)[:2]))


def check(s):
    d.k.need("openbox", "tint2", "xrdb", "xrandr", "xwininfo")
    s.start_x("1920x1080")
    s.game_dir()
    openbox = d.start_wm(s, "openbox")
    s.spawn("tint2", ["tint2"], env=dict(s.env, HOME=s.work))
    s.until(lambda: panel_shows(s.fb), 20, "tint2's panel")

    menu = None
    for what, resources, env in d.DENSITIES + (("QT_SCALE_FACTOR 3", "", {"QT_SCALE_FACTOR": "3"}),):
        d.menu_shown(s, env=env, mode="1920x1080", resources=resources, what=what)
        menu = d.menu_and_game(s, what, d.SCENE_2X, menu)
        if panel_shows(menu):
            d.k.fail(f"{what}: the panel shows over the menu")
        d.answer_box(s)  # the information box closed: the game's window active again, over the panel
        s.until(lambda: not panel_shows(s.fb), 5, f"{what}: the game over the panel")
        if d.k.pixels_off(s.fb, d.plate_a(s), s.drawn(1, "A-M", 2)) < 500:
            d.k.fail("the plate drawn at 2 x and the small one enlarged are too alike to be told apart")
        s.stop_game()

    menu_painted = d.menu_shown(s, "no_fullscreen", env={"QT_SCALE_FACTOR": "2"}, mode="1920x1080", what="no_fullscreen at factor 2")
    wid, w, h, _, _ = s.until(lambda: d.windows(s), 10, "the no_fullscreen window")[0]
    if (w, h) != (1280, 960):
        d.k.fail(f"no_fullscreen at factor 2: a {w}x{h} client area, not 1280x960")
    window = (2, *(int(v) for v in re.findall(r"Absolute upper-left [XY]:\s+(\d+)", s.out("xwininfo", "-id", wid))))
    s.xdo("mousemove", "5", "5")
    s.shows(d.on_screen(s, "frmIntro", "imgNova", window), s.drawn(2, "NOVA"), "no_fullscreen at factor 2: nová hra drawn at 2 x")
    s.wait_log("pictures drawn ahead at 2 x", 20)
    s.click("frmIntro", "imgNova", window)
    game = d.answers_shown(s, after=menu_painted)
    s.key("a")
    s.wait_log("tick tmrZvuk", 20)
    if any(t > game for t, _ in s.log("drew ")):
        d.k.fail("no_fullscreen at factor 2: pictures drawn during the game")
    s.stop_game()

    s.end(openbox)  # tint2 stays, under weston's window
    d.start_weston_nested(s)
    d.menu_shown(s, env={"QT_QPA_PLATFORM": "wayland"}, mode="1920x1080", what="Wayland")
    s.xdo("mousemove", "5", "5")
    s.until(lambda: d.notice_in_place(s, s.fb, *d.SCENE_2X), 10, "Wayland: the scene at 2 x, centred on black")
    s.click("frmIntro", "imgNova", d.SCENE_2X)
    d.answers_shown(s, "1920x1080")
    s.state(lambda: plate_a_colour(s), "b", 5, "Wayland: plate A blue before the pick")
    s.key("a")
    s.state(lambda: plate_a_colour(s), "o", 5, "Wayland: plate A orange once picked")
    s.wait_log("tick tmrZvuk", 10)


d.k.run(check)
