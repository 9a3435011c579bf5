# The switched 640x480 screen on a high-density desktop (Xorg with the dummy driver): with the X resource
# "Xft.dpi: 192" (200 %) and with Qt's factors 1.5 and 2, the menu covers the switched screen pixel for
# pixel as at 100 %, "nová hra" drawn at 1 x; a click on it opens the game, whose answer plate is the
# picture drawn for the screen's density (1 x, not a larger drawing shrunk); the information box (F10)
# lies over the scene; the mode found at start comes back at the end.
import subprocess
import display_checks as d


def play_at(s, name, menu_at_100=None, env=None):
    subprocess.run(["xrandr", "-s", "1024x768"], env=s.env, check=True)
    s.start_game(env=env)
    s.wait_log("painted frmIntro", 30)
    d.expect_mode(s, "640x480", name)
    # At 150 % Qt may round the window's 426.67 logical pixels up to 641 device pixels.
    s.until(lambda: any(w[3:] == (0, 0) and w[1] >= 640 and w[2] >= 480 for w in d.windows(s)), 10,
            f"{name}: the menu over the whole screen")
    grab = lambda: d.k.Screen.grab(s.env)  # noqa: E731
    s.shows(s.place("frmIntro", "imgNova"), s.drawn(1, "NOVA"), f"{name}: nová hra at 1 x", grab)
    menu = grab()
    if not d.notice_in_place(s, menu, 1, 0, 0) or menu_at_100 and menu.data != menu_at_100.data:
        d.k.fail(f"{name}: the menu's screen is not the one at 100 % with its notice at its pixels")
    s.click("frmIntro", "imgNova")
    d.answers_shown(s)
    s.shows(d.plate_a(s, (1, 0, 0)), s.drawn(1, "A-M"), f"{name}: answer plate A at 1 x", grab)
    s.key("F10")
    _, w, h, x, y = s.until(lambda: [w for w in d.windows(s) if w[1] < 640], 10, f"{name}: the information box")[0]
    if not (x >= 0 and y >= 0 and x + w <= 640 and y + h <= 480 and w >= 200):
        d.k.fail(f"{name}: the information box at {w}x{h}+{x}+{y}, not over the scene")
    s.stop_game()
    d.expect_mode(s, "1024x768", f"{name}: at the end")
    return menu


def check(s):
    d.start_xorg(s)
    d.k.need("xrdb")
    menu = play_at(s, "100 %")
    subprocess.run(["xrdb", "-merge"], input=b"Xft.dpi: 192\n", env=s.env, check=True)
    play_at(s, "Xft.dpi 192", menu)
    subprocess.run(["xrdb", "-load", "/dev/null"], env=s.env, check=True)
    for factor in ("1.5", "2"):
        play_at(s, f"QT_SCALE_FACTOR {factor}", menu, {"QT_SCALE_FACTOR": factor})


d.k.run(check)
