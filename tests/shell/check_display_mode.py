# The display mode on a screen that switches (Xorg with the dummy driver). At 100 % and on a high-density
# desktop (the X resource "Xft.dpi: 192", Qt's factors 1.5 and 2) the game takes the screen to 640x480, its
# menu over the whole screen pixel for pixel as at 100 %, "nová hra" and the hand pointer drawn at 1 x; a
# click on it opens the game, whose answer plate is the picture drawn for the screen's density (1 x, not a
# larger drawing shrunk); the information box (F10) lies over the scene; after the game window's close
# message the mode found at start is back (after the exit button: check_display_guard). With two monitors
# nothing switches. Under openbox and xfwm4 the menu is frameless at the corner, the rules screen's OK
# answers, "nová hra" opens the game over the whole screen, the mode is back after SIGTERM, and
# "no_fullscreen" is a decorated 640x480 window that leaves the screen alone.
import subprocess
import display_checks as d


def over_screen(s, what):
    # At 150 % Qt may round the window's 426.67 logical pixels up to 641 device pixels.
    s.until(lambda: any(w[3:] == (0, 0) and w[1] >= 640 and w[2] >= 480 for w in d.windows(s)), 10, f"{what} over the whole screen")


def check(s):
    d.start_xorg(s)
    menu = None
    for what, resources, env in d.DENSITIES + (("QT_SCALE_FACTOR 2", "", {"QT_SCALE_FACTOR": "2"}),):
        d.menu_shown(s, env=env, resources=resources, what=what)
        over_screen(s, f"{what}: the menu")
        menu = d.menu_and_game(s, what, (1, 0, 0), menu)
        d.answer_box(s)  # the information box closed
        window = s.until(lambda: [w[0] for w in d.windows(s) if w[1] >= 640], 10, f"{what}: the game window")[0]
        subprocess.run([f"{s.build}/tests/kvz_xrandr_helper", "close", window], env=s.env, check=True)
        d.game_ends(s)
        d.expect_mode(s, "1024x768@60", f"{what}: after the game window's close message")

    monitors = ("--setmonitor", "kvz-left", "512/135x768/203+0+0", "none", "--setmonitor", "kvz-right", "512/135x768/203+512+0", "none")
    subprocess.run(["xrandr", *monitors], env=s.env, check=True)
    d.menu_shown(s, mode="1024x768@60", what="two monitors: nothing switched")
    s.stop_game()
    subprocess.run(["xrandr", "--delmonitor", "kvz-left", "--delmonitor", "kvz-right"], env=s.env, check=True)

    for wm in ("openbox", "xfwm4"):
        manager = d.start_wm(s, wm)
        d.menu_shown(s, what=f"{wm}: the menu shown")
        over_screen(s, f"{wm}: the menu")
        # A click before the window manager has given the menu the focus may only focus it.
        s.until(lambda: s.out("xdotool", "getwindowfocus").strip() in [w[0] for w in d.windows(s)], 10,
                f"{wm}: the menu taking the focus")
        s.until(lambda: d.notice_in_place(s, d.k.Screen.grab(s.env), 1, 0, 0), 10, f"{wm}: the notice at its pixels")
        s.click("frmIntro", "imgPrav")
        s.wait_log("painted frmRules 640x480", 20)
        s.until(lambda: len(d.windows(s)) == 2, 10, f"{wm}: the rules screen over the menu")
        s.click("frmRules", "Command1")
        s.until(lambda: len(d.windows(s)) == 1, 10, f"{wm}: the rules screen's OK closing it")
        s.click("frmIntro", "imgNova")
        s.wait_log("painted frmMain 640x480", 30)
        over_screen(s, f"{wm}: the game")
        s.stop_game()
        d.expect_mode(s, "1024x768@60", f"{wm}: after SIGTERM")

        d.menu_shown(s, "no_fullscreen", mode="1024x768@60", what=f"{wm}: no_fullscreen, not switched")
        client = s.until(lambda: d.windows(s), 10, f"{wm}: the no_fullscreen menu")[0]
        frame = s.out("xwininfo", "-children", "-id", client[0]).split("Parent window id: ")[1].split()[0]
        frame_height = int(s.out("xwininfo", "-id", frame).split("Height: ")[1].split()[0])
        if client[1:3] != (640, 480) or not 480 < frame_height < 768:  # decorated: a title bar above the client
            d.k.fail(f"{wm}: no_fullscreen is a {client[1]}x{client[2]} client in a frame {frame_height} high")
        s.stop_game()
        s.end(manager)


d.k.run(check)
