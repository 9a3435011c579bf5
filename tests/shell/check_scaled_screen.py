# The scaled full screen on a 1920x1080 screen that cannot switch (Xvfb under openbox, a tint2 panel along
# the bottom). The menu and the game cover the screen and the panel, the scene drawn at 2 x and centred on
# black; a click on the scaled "nová hra" opens the game, whose answer plate is the plate drawn at 2 x
# (not the small one's pixels enlarged); the information box (F10) is over the scene at the scale.
# "no_fullscreen" at Qt's factor 2 is a 1280x960 window with every picture drawn at 2 x ahead of the
# game. At 200 % (Xft.dpi 192), 150 % and 300 % (Qt's factor) the menu's screen is the same, the
# pointer's hand and the game's plate A drawn at 2 x.
import re, subprocess  # noqa: E401
import display_checks as d

PANEL = (0, 1040, 1920, 40)  # tint2's own default place


def panel_shows(s):
    return max(max(p) for p in s.fb.pixels(PANEL)) > 0


def check(s):
    d.k.need("openbox", "tint2", "xrdb", "xwininfo")
    s.start_x("1920x1080")
    s.game_dir()
    d.start_wm(s, "openbox")
    s.spawn("tint2", ["tint2"], env=dict(s.env, HOME=s.work))
    s.until(lambda: panel_shows(s), 20, "tint2's panel")

    s.start_game()
    s.wait_log("painted frmIntro 1920x1080", 30)
    s.xdo("mousemove", "5", "5")
    s.until(lambda: d.notice_in_place(s, s.fb, *d.SCENE_2X) and not panel_shows(s), 10,
            "the menu over the panel, the scene at 2 x centred on black")
    s.shows(d.on_screen(s, "frmIntro", "imgNova"), s.drawn(2, "NOVA"), "nová hra drawn at 2 x")
    menu = d.k.Screen.grab(s.env).data  # xwd leaves out the pointer, whose size follows the desktop's density
    s.click("frmIntro", "imgNova", d.SCENE_2X)
    d.answers_shown(s, "1920x1080")
    if panel_shows(s):
        d.k.fail("the panel shows over the game")
    drawn, enlarged = (d.k.pixels_off(s.fb, d.plate_a(s), p) for p in (s.drawn(2, "A-M"), s.drawn(1, "A-M", 2)))
    if drawn > 20 or enlarged < 500:
        d.k.fail("plate A is not the plate drawn at 2 x")
    s.key("F10")
    _, w, _, x, y = s.until(lambda: [w for w in d.windows(s) if w[1] != 1920], 10, "the information box")[0]
    if x < 320 or y < 60 or w < 400:
        d.k.fail(f"the information box ({w} wide at {x},{y}) is not over the scene at 2 x")
    s.stop_game()

    s.start_game("no_fullscreen", env={"QT_SCALE_FACTOR": "2"})
    menu_painted = s.wait_log("painted frmIntro 640x480", 30)
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

    for what, env in (("Xft.dpi 192", {}), ("QT_SCALE_FACTOR 1.5", {"QT_SCALE_FACTOR": "1.5"}),
                      ("QT_SCALE_FACTOR 3", {"QT_SCALE_FACTOR": "3"})):
        subprocess.run(["xrdb", "-load", "/dev/null" if env else "-"], input=b"Xft.dpi: 192\n", env=s.env, check=True)
        s.start_game(env=env)
        s.wait_log("painted frmIntro", 30)
        s.until(lambda: d.k.Screen.grab(s.env).data == menu, 10, f"{what}: the menu's screen as at 100 %")
        x, y, w, h = d.on_screen(s, "frmIntro", "imgNova")
        s.xdo("mousemove", str(x + w // 2), str(y + h // 2))
        s.until(lambda: d.pointer_image(s) == "64x64+22+2", 5, f"{what}: the hand pointer at 2 x")
        s.click("frmIntro", "imgNova", d.SCENE_2X)
        s.wait_log("painted frmMain", 30)
        s.shows(d.plate_a(s), s.drawn(2, "A-M"), f"{what}: plate A at 2 x")
        s.stop_game()


d.k.run(check)
