# What the display's whole-program checks need beyond kvz_check's session: Xorg with the dummy video
# driver (its modes switch as a monitor's would; Xvfb's cannot) and its RandR modes and screen-change
# reports, window managers, weston nested in Xvfb, the game's windows, and the scene's places on a
# scaled screen.
import ctypes, ctypes.util, itertools, os, re, shutil, subprocess, sys  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import kvz_check as k  # noqa: E402

SCENE_2X = (2, 320, 60)  # the scene at 2 x on a 1920x1080 screen: 1280x960 from (320, 60)
# A desktop's densities: 100 %, 200 % set by its X resources, Qt's factor 1.5; (name, X resources, environment).
DENSITIES = (("100 %", "", {}), ("Xft.dpi 192", "Xft.dpi: 192\n", {}), ("QT_SCALE_FACTOR 1.5", "", {"QT_SCALE_FACTOR": "1.5"}))


def start_xorg(s):
    # Xorg at 1024x768@60 on a display number it picks itself; it offers 75 Hz, 800x600 and 640x480 too.
    if os.getuid() != 0 or not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so"):
        k.skip("Xorg with the dummy driver needs root and xserver-xorg-video-dummy")
    k.need("Xorg", "xrandr", "xdotool", "xprop", "xwd", "xrdb")
    r, w = os.pipe()
    server = s.spawn("xorg", ["Xorg", "-config", os.path.join(os.path.dirname(__file__), "xorg_dummy_modes.conf"), "-logfile",
                              s.path("xorg-server.log"), "-displayfd", str(w), "-nolisten", "tcp", "-noreset"], pass_fds=(w,))
    os.close(w)
    s.env["DISPLAY"] = ":" + (os.fdopen(r).readline().strip() or k.skip(f"Xorg did not start: {s.tail('xorg', 1)}"))
    shutil.copy(os.path.join(s.build, "kvizarion-guard"), s.game_dir())  # beside the program, as installed
    return server


def mode(s):
    # The screen's mode as "1024x768@75" (--current: no probe of the outputs, so it can be polled).
    text = s.out("xrandr", "--current")
    size, rate = re.search(r"current (\d+) x (\d+)", text), re.search(r"([\d.]+)\*", text)
    return f"{size[1]}x{size[2]}@{float(rate[1]) if rate else 0:.0f}" if size else "none"


def expect_mode(s, m, what, timeout=10):
    # Waits for the screen at the mode, with or without its rate; returns when it was seen.
    return s.state(lambda: mode(s), m if "@" in m else m + "@.*", timeout, f"{what}: the screen at {m}")[0]


def set_mode(s, m):
    subprocess.run(["xrandr", "-s", m.split("@")[0], "-r", m.split("@")[1]], env=s.env, check=True)
    expect_mode(s, m, "set by the check")


def watch_changes(s):
    # The helper writes the screen's size at each RandR screen change; the sizes since, one change's
    # repeated reports folded into one, the size at start left out.
    log, start = s.path("changes.log"), mode(s).split("@")[0]
    s.spawn("changes", [f"{s.build}/tests/kvz_xrandr_helper", "watch"], stdout=open(log, "w"))
    s.until(lambda: "ready" in open(log).read(), 10, "the screen-change watcher selecting its events")
    sizes = lambda: (size for size, _ in itertools.groupby(open(log).read().split()[1:]))  # noqa: E731
    return lambda: " ".join(itertools.dropwhile(lambda size: size == start, sizes()))


def start_wm(s, wm):
    # One ended before leaves its announcement; xfwm4 reads its settings from Xfconf, on a session bus.
    k.need(wm, "dbus-run-session")
    s.runs("xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK")
    p, s.depth = s.spawn(wm, ["dbus-run-session", "--", wm]), 2  # the game's windows one level deeper, in frames
    s.until(lambda: "window id" in s.out("xprop", "-root", "_NET_SUPPORTING_WM_CHECK") or p.poll() is not None, 30,
            f"{wm} announcing itself")
    return p if p.poll() is None else k.fail(f"{wm} ended at its start: {s.tail(wm, 3)}")


def start_weston_nested(s):
    # weston's X11 backend in the 1920x1080 Xvfb, no window manager: one 1920x1080 output in an X window
    # at the screen's corner, so output pixels are screen pixels.
    if not os.path.exists("/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so"):
        k.skip("Qt's Wayland platform (qt6-wayland) is missing")
    k.need("weston")
    s.env.update(XDG_RUNTIME_DIR=s.path("runtime"), WAYLAND_DISPLAY="kvz-wayland")
    os.makedirs(s.path("runtime"), mode=0o700)
    s.spawn("weston", ["weston", "--backend=x11-backend.so", "--use-pixman", "--width=1920", "--height=1080",
                       "--socket=kvz-wayland", "--idle-time=0", "--no-config"])
    s.until(lambda: os.path.exists(s.path("runtime/kvz-wayland")), 20, "weston's socket", on_timeout=k.skip)


def on_screen(s, form, element, scene=SCENE_2X, dx=0, dy=0):
    # An element's place on the screen (x, y, width, height) at the scene's scale and corner, moved by dx, dy.
    (scale, x0, y0), (x, y, w, h) = scene, s.place(form, element)
    return x0 + scale * (x + dx), y0 + scale * (y + dy), scale * w, scale * h


def plate_a(s, scene=SCENE_2X):
    # Plate A left of its text on the screen: the plate's own picture, no text over it.
    x, y, _, h = on_screen(s, "frmMain", "imgA", scene)
    return x, y, on_screen(s, "frmMain", "lblA", scene)[0] - x, h


def menu_shown(s, *args, env=None, mode="640x480", resources="", what="the menu shown"):
    # The game started on a desktop of those X resources and its menu painted, the screen then at the
    # mode: switched, unless told. Returns the menu's paint.
    subprocess.run(["xrdb", "-load", "-"], input=resources.encode(), env=s.env, check=True)
    s.start_game(*args, env=env)
    painted = s.wait_log("painted frmIntro", 30)
    expect_mode(s, mode, what)
    return painted


def answers_shown(s, size="", after=0.0):
    # The game window (at that size) and its first question's answers: a pick, F10 or Esc is taken from
    # then on (not from the "input open" of the window's load). Returns the window's first paint.
    painted = s.wait_log(f"painted frmMain {size}".strip(), 30, after)
    s.wait_log("input open", 30, after=painted)
    return painted


def windows(s):
    # The game's visible windows as (id, width, height, x, y). A window manager puts each in a frame;
    # without one, a window one level deeper is the video player's.
    ids = s.out("xdotool", "search", "--maxdepth", str(getattr(s, "depth", 1)), "--onlyvisible", "--pid", str(s.game.pid))
    found = "".join(s.out("xdotool", "getwindowgeometry", "--shell", i) for i in ids.split())  # none for a window gone
    return [(i, int(w), int(h), int(x), int(y))
            for i, x, y, w, h in re.findall(r"WINDOW=(\d+)\nX=(-?\d+)\nY=(-?\d+)\nWIDTH=(\d+)\nHEIGHT=(\d+)", found)]


def answer_box(s):
    # Enter on the message box (its default button) once it has the keyboard's focus.
    box = s.until(lambda: next((w[0] for w in windows(s) if w[1] < 640), None), 20, "a message box")
    s.until(lambda: s.out("xdotool", "getwindowfocus").strip() == box, 10, "the message box taking the keys")
    s.key("Return")


def game_ends(s): s.game = s.until(lambda: s.game.poll() is not None, 20, "the game's end") and None  # noqa: E704


def menu_and_game(s, what, scene, menu=None):
    # The menu: "nová hra" drawn at the scene's scale, the hand pointer at that scale over it, the notice
    # at its pixels, the screen (xwd leaves out the pointer) the same as menu when given. A click on
    # "nová hra" opens the game: plate A drawn at the scale, the information box (F10) over the scene.
    # Returns the menu's screen.
    (scale, x0, y0), grab = scene, lambda: k.Screen.grab(s.env)
    nova = on_screen(s, "frmIntro", "imgNova", scene)
    s.shows(nova, s.drawn(scale, "NOVA"), f"{what}: nová hra at {scale} x", grab)
    shown = grab()
    if not notice_in_place(s, shown, *scene) or menu and shown.data != menu.data:
        k.fail(f"{what}: the menu's screen is not the one at 100 % with its notice at its pixels")
    s.xdo("mousemove", str(nova[0] + nova[2] // 2), str(nova[1] + nova[3] // 2))
    s.until(lambda: pointer_image(s) == f"{32 * scale}x{32 * scale}+{11 * scale}+{scale}", 5, f"{what}: the hand pointer at {scale} x")
    s.click("frmIntro", "imgNova", scene)
    answers_shown(s)
    s.shows(plate_a(s, scene), s.drawn(scale, "A-M"), f"{what}: plate A at {scale} x", grab)
    # A larger drawing shrunk to the scale looks much like the one drawn at it: the game says what it drew.
    if any(not w.endswith(f" at {scale} x") for _, w in s.log("drew ")):
        k.fail(f"{what}: pictures drawn at another scale than {scale} x: {s.log('drew ')}")
    s.key("F10")
    _, w, h, x, y = s.until(lambda: [w for w in windows(s) if w[1] < 640 * scale], 10, f"{what}: the information box")[0]
    if not (x >= x0 and y >= y0 and x + w <= x0 + 640 * scale and y + h <= y0 + 480 * scale and w >= 200 * scale):
        k.fail(f"{what}: the information box at {w}x{h}+{x}+{y}, not over the scene")
    return shown


def notice_in_place(s, screen, scale, x0, y0):
    # The menu's notice strip (dark red) at its layout pixels times the scale from the scene's corner:
    # its corners red, the pixels just outside them black.
    x, y, w, h = s.place("frmIntro", "Label1")
    left, top, right, bottom = x0 + x * scale, y0 + y * scale, x0 + (x + w) * scale - 1, y0 + (y + h) * scale - 1
    return [screen.pixel(*p) for p in ((left, top), (right, bottom), (left - 1, top), (left, top - 1),
                                       (right + 1, bottom), (right, bottom + 1))] == [(192, 0, 0)] * 2 + [(0, 0, 0)] * 4


def pointer_image(s):
    # The pointer's image as the X server shows it, "WIDTHxHEIGHT+HOTX+HOTY" (XFixes).
    x11, xfixes = (ctypes.CDLL(ctypes.util.find_library(n)) for n in ("X11", "Xfixes"))
    x11.XOpenDisplay.restype, xfixes.XFixesGetCursorImage.argtypes = ctypes.c_void_p, [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(ctypes.c_ushort * 6)  # x, y, width, height, hot spot
    display = ctypes.c_void_p(x11.XOpenDisplay(s.env["DISPLAY"].encode()))
    _, _, w, h, hx, hy = xfixes.XFixesGetCursorImage(display).contents
    x11.XCloseDisplay(display)
    return f"{w}x{h}+{hx}+{hy}"
