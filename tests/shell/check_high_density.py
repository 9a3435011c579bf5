#!/usr/bin/env python3
"""The switched 640x480 screen on a high-density desktop (Xorg with the dummy driver): with the X
resource "Xft.dpi: 192" (200 %) and with Qt's factors 1.5 and 2, the menu covers the switched
screen pixel for pixel as at 100 %, "nová hra" drawn at 1 x; a click on it opens the game, whose
answer plate is the picture drawn for the screen's density (1 x, not a larger drawing shrunk);
the information box (F10) lies over the scene; the mode found at start comes back at the end."""
import subprocess

import display_checks as d
import kvz_check as k


def play_at(s, name, menu_at_100, env=None):
    subprocess.run(["xrandr", "-s", "1024x768"], env=s.env, check=True)
    d.start_game(s, env=env)
    s.wait_log("painted frmIntro", 30)
    d.expect_mode(s, "640x480", name)
    # At 150 % Qt may round the window's 426.67 logical pixels up to 641 device pixels.
    s.until(lambda: any(w[3:] == (0, 0) and w[1] >= 640 and w[2] >= 480 for w in d.windows(s)), 10,
            f"{name}: the menu over the whole screen")
    s.xdo("mousemove", "5", "5")
    pictures = d.drawn(s, 1)
    d.shows_picture(s, lambda: d.grab(s), *s.place("frmIntro", "imgNova"), d.Picture(f"{pictures}/NOVA.png"),
                    f"{name}: nová hra drawn at 1 x")
    menu = d.grab(s)
    if not d.notice_in_place(s, menu, 1, 0, 0):
        k.fail(f"{name}: the menu's notice strip is not at its pixels")
    if menu_at_100 and menu.data != menu_at_100.data:
        k.fail(f"{name}: the menu's screen differs from the one at 100 %")
    s.click("frmIntro", "imgNova")
    d.answers_shown(s)
    x, y, _, h = s.place("frmMain", "imgA")
    d.shows_picture(s, lambda: d.grab(s), x, y, s.place("frmMain", "lblA")[0] - x, h, d.Picture(f"{pictures}/A-M.png"),
                    f"{name}: answer plate A drawn at 1 x")
    s.key("F10")
    box = s.until(lambda: [w for w in d.windows(s) if w[1] < 640], 10, f"{name}: the information box")[0]
    _, w, h, x, y = box
    if not (x >= 0 and y >= 0 and x + w <= 640 and y + h <= 480 and w >= 200):
        k.fail(f"{name}: the information box at {w}x{h}+{x}+{y}, not over the scene")
    s.key("Return")
    s.end(s.game)
    s.game = None
    d.expect_mode(s, "1024x768", f"{name}: at the end")
    return menu


def check(s):
    d.start_xorg(s)
    k.need("xrdb")
    d.game_dir_with_guard(s)
    menu = play_at(s, "100 %", None)
    subprocess.run(["xrdb", "-merge"], input=b"Xft.dpi: 192\n", env=s.env, check=True)
    play_at(s, "Xft.dpi 192", menu)
    subprocess.run(["xrdb", "-load", "/dev/null"], env=s.env, check=True)
    for factor in ("1.5", "2"):
        play_at(s, f"QT_SCALE_FACTOR {factor}", menu, env={"QT_SCALE_FACTOR": factor})


if __name__ == "__main__":
    k.run(check)
