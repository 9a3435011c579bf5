#!/usr/bin/env python3
"""The scaled full screen on a 1920x1080 screen that cannot switch (Xvfb under openbox, a tint2
panel along the bottom). The menu and the game cover the screen and the panel, the scene drawn
at 2 x and centred on black; a click on the scaled "nová hra" opens the game, whose answer plate
is the plate drawn at 2 x (not the small one's pixels enlarged); the information box (F10) is
over the scene at the scale. "no_fullscreen" at Qt's factor 2 is a 1280x960 window with every
picture drawn at 2 x ahead of the game. At 200 % (Xft.dpi 192), 150 % and 300 % (Qt's factor)
the screen is the same, the pointer's hand drawn at 2 x."""
import re
import subprocess

import display_checks as d
import kvz_check as k

PANEL = (0, 1040, 1920, 40)  # tint2's default place, which the game's windows must cover


def covers_panel(s, what):
    if any(s.fb.pixels(PANEL)) and max(max(p) for p in s.fb.pixels(PANEL)):
        k.fail(f"{what}: the panel shows")


def plate_a(s, scale):
    """Pixels of plate A (left of its text) off the plate drawn at 2 x, the one drawn at 1 x enlarged."""
    x, y, w, h = d.on_screen(s, "frmMain", "imgA")
    w = d.on_screen(s, "frmMain", "lblA")[0] - x
    return d.pixels_off(s.fb, x, y, w, h, d.Picture(f"{d.drawn(s, scale)}/A-M.png", enlarge=2 // scale))


def nova_at_2x(s, x0, y0, what):
    x, y, w, h = d.on_screen(s, "frmIntro", "imgNova", (2, x0, y0))
    d.shows_picture(s, lambda: s.fb, x, y, w, h, d.Picture(f"{d.drawn(s, 2)}/NOVA.png"), f"{what}: nová hra drawn at 2 x")


def check(s):
    k.need("openbox", "tint2", "xrdb", "xwininfo")
    s.start_x("1920x1080")
    d.start_wm(s, "openbox")
    s.spawn("tint2", ["tint2"], env=dict(s.env, HOME=s.work))
    s.until(lambda: max(max(p) for p in s.fb.pixels(PANEL)), 20, "tint2's panel")
    d.game_dir_with_guard(s)

    d.start_game(s)
    s.wait_log("painted frmIntro 1920x1080", 30)
    s.xdo("mousemove", "5", "5")
    s.until(lambda: d.notice_in_place(s, s.fb, *d.SCENE_2X), 10, "the scene at 2 x, centred on black")
    menu = d.grab(s).data  # xwd leaves the pointer out, whose size follows the desktop's density
    covers_panel(s, "the menu")
    d.click_scene(s, "frmIntro", "imgNova")
    d.answers_shown(s, "1920x1080")
    covers_panel(s, "the game")
    drawn, enlarged = plate_a(s, 2), plate_a(s, 1)
    k.note(f"plate A: {drawn} pixels off the 2 x drawing, {enlarged} off the enlarged 1 x one")
    if drawn > 20 or enlarged < 500:
        k.fail("plate A is not the plate drawn at 2 x")
    s.key("F10")
    _, w, _, x, y = s.until(lambda: [w for w in d.windows(s, 2) if w[1] != 1920], 10, "the information box")[0]
    if x < 320 or y < 60 or w < 400:
        k.fail(f"the information box ({w} wide at {x},{y}) is not over the scene at 2 x")
    s.key("Return")
    s.end(s.game)

    d.start_game(s, "no_fullscreen", env={"QT_SCALE_FACTOR": "2"})
    menu = s.wait_log("painted frmIntro 640x480", 30)
    wid, w, h, _, _ = s.until(lambda: d.windows(s, 2), 10, "the no_fullscreen window")[0]
    if (w, h) != (1280, 960):
        k.fail(f"no_fullscreen at factor 2: a {w}x{h} client area, not 1280x960")
    x, y = (int(v) for v in re.findall(r"Absolute upper-left [XY]:\s+(\d+)", d.out(s, "xwininfo", "-id", wid)))
    s.xdo("mousemove", "5", "5")
    nova_at_2x(s, x, y, "no_fullscreen at factor 2")
    s.wait_log("pictures drawn ahead at 2 x", 20)
    d.click_scene(s, "frmIntro", "imgNova", (2, x, y))
    main = d.answers_shown(s, after=menu)
    s.key("a")
    s.wait_log("tick tmrZvuk", 20)
    if any(t > main for t, _ in s.log("drew ")):
        k.fail("no_fullscreen at factor 2: pictures drawn during the game")
    s.end(s.game)

    for what, env in (("Xft.dpi 192", {}), ("QT_SCALE_FACTOR 1.5", {"QT_SCALE_FACTOR": "1.5"}),
                      ("QT_SCALE_FACTOR 3", {"QT_SCALE_FACTOR": "3"})):
        subprocess.run(["xrdb", "-load", "/dev/null" if env else "-"], input=b"Xft.dpi: 192\n", env=s.env, check=True)
        d.start_game(s, env=env)
        s.wait_log("painted frmIntro", 30)
        s.until(lambda: d.grab(s).data == menu, 10, f"{what}: the menu's screen as at 100 %")
        nova_at_2x(s, *d.SCENE_2X[1:], what)
        s.xdo("mousemove", *(str(v) for v in d.on_screen(s, "frmIntro", "imgNova", dx=81, dy=17)[:2]))
        s.until(lambda: d.pointer_image(s) == "64x64+22+2", 5, f"{what}: the hand pointer at 2 x")
        d.click_scene(s, "frmIntro", "imgNova")
        s.wait_log("painted frmMain", 30)
        s.until(lambda: plate_a(s, 2) <= 20, 10, f"{what}: plate A drawn at 2 x")
        s.end(s.game)


if __name__ == "__main__":
    k.run(check)
