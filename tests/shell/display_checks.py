"""What the display's whole-program checks need beyond kvz_check's session: Xorg with the dummy
video driver (its modes switch as a monitor's would; Xvfb's cannot) and its RandR modes and
screen-change reports, window managers, weston nested in Xvfb, the game's windows and its
display guard, and the pictures the generator draws for a density."""
import ctypes
import ctypes.util
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import kvz_check as k  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def out(s, *argv):
    return subprocess.run(argv, env=s.env, capture_output=True, text=True).stdout


def start_server(s, name, argv):
    """An X server on the display number it picks itself (-displayfd); DISPLAY set once it answers."""
    r, w = os.pipe()
    server = s.spawn(name, [*argv, "-displayfd", str(w), "-nolisten", "tcp", "-noreset"], pass_fds=(w,))
    os.close(w)
    with os.fdopen(r) as f:
        s.env["DISPLAY"] = ":" + (f.readline().strip() or k.skip(f"no X server: {name} did not start ({s.tail(name, 1)})"))
    return server


def start_xorg(s):
    """Xorg with the dummy driver at 1024x768@60: it offers 75 Hz, 800x600 and 640x480 too."""
    if os.getuid() != 0:
        k.skip("Xorg with the dummy driver needs root")
    if not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so"):
        k.skip("the dummy video driver is missing")
    k.need("Xorg", "xrandr", "xdotool", "xprop", "import")
    return start_server(s, "xorg", ["Xorg", "-config", os.path.join(HERE, "xorg_dummy_modes.conf"), "-logfile", s.path("xorg-server.log")])


def mode(s):
    """The screen's mode as "1024x768@75" (--current: no probe of the outputs, so it can be polled)."""
    text = out(s, "xrandr", "--current")
    size, rate = re.search(r"current (\d+) x (\d+)", text), re.search(r"([\d.]+)\*", text)
    return f"{size[1]}x{size[2]}@{float(rate[1]) if rate else 0:.0f}" if size else "none"


def set_mode(s, m):
    size, rate = m.split("@")
    subprocess.run(["xrandr", "-s", size, "-r", rate], env=s.env, capture_output=True)
    expect_mode(s, m, "the mode set by the check")


def expect_mode(s, m, what, timeout=10):
    """Waits for the screen at the mode (with or without its rate); returns when it was seen."""
    seen = s.state(lambda: mode(s), m if "@" in m else m + "@.*", timeout, f"{what}: the screen at {m}")[0]
    k.note(f"{what}: the screen at {m}")
    return seen


def watch_changes(s):
    """Starts the helper that writes the screen's size at each RandR screen change; returns a
    function giving the sizes reported since, one change's repeated reports folded into one."""
    log = s.path("changes.log")
    s.spawn("changes", [os.path.join(s.build, "tests", "kvz_xrandr_helper"), "watch"], stdout=open(log, "w"))
    s.until(lambda: "ready" in open(log).read(), 10, "the screen-change watcher selecting its events")
    start = mode(s).split("@")[0]

    def changes():
        sizes = [size for size in open(log).read().split()[1:]]
        folded = [size for i, size in enumerate(sizes) if i == 0 or sizes[i - 1] != size]
        return " ".join(folded[1:] if folded[:1] == [start] else folded)
    return changes


def start_wm(s, wm):
    """A window manager, once it has announced itself on the root window."""
    k.need(wm)
    p = s.spawn(wm, [wm])
    s.until(lambda: "window id" in out(s, "xprop", "-root", "_NET_SUPPORTING_WM_CHECK") or p.poll() is not None, 30,
            f"{wm} announcing itself")
    if p.poll() is not None:
        k.fail(f"{wm} ended at its start: {s.tail(wm, 3)}")
    return p


def start_weston_nested(s):
    """weston's X11 backend in Xvfb at 1920x1080 (one output in an X window at the screen's corner,
    so output pixels are screen pixels); the game then runs on Qt's Wayland platform."""
    k.need("weston")
    if not os.path.exists("/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so"):
        k.skip("Qt's Wayland platform (qt6-wayland) is missing")
    s.start_x("1920x1080")
    s.env.update(XDG_RUNTIME_DIR=s.path("runtime"), WAYLAND_DISPLAY="kvz-wayland")
    os.makedirs(s.env["XDG_RUNTIME_DIR"], mode=0o700)
    s.spawn("weston", ["weston", "--backend=x11-backend.so", "--use-pixman", "--width=1920", "--height=1080",
                       "--socket=kvz-wayland", "--idle-time=0", "--no-config"])
    s.until(lambda: os.path.exists(os.path.join(s.env["XDG_RUNTIME_DIR"], "kvz-wayland")), 20, "weston's socket",
            on_timeout=k.skip)


# The scene at 2 x on a 1920x1080 screen: 1280x960 from (320, 60).
SCENE_2X = (2, 320, 60)


def on_screen(s, form, element, scene=SCENE_2X, dx=0, dy=0):
    """An element's place on the screen, at the scene's scale and corner: x, y, width, height;
    dx and dy pick a point inside it (its centre by default)."""
    scale, x0, y0 = scene
    x, y, w, h = s.place(form, element)
    return x0 + scale * (x + dx), y0 + scale * (y + dy), scale * w, scale * h


def click_scene(s, form, element, scene=SCENE_2X):
    """Clicks an element's centre, then moves the pointer (drawn into Xvfb's screen) aside."""
    x, y, w, h = s.place(form, element)
    clicked = s.xdo("mousemove", *(str(v) for v in on_screen(s, form, element, scene, w // 2, h // 2)[:2]), "click", "1")
    s.xdo("mousemove", "5", "5")
    return clicked


def game_dir_with_guard(s):
    """The game's folder with the display's guard beside the program, as installed."""
    d = s.game_dir()
    shutil.copy(os.path.join(s.build, "kvizarion-guard"), d)
    return d


def start_game(s, *args, env=None):
    """The game from its folder, full screen unless told otherwise, its timing log begun anew."""
    open(s.path("game.log"), "w").close()
    e = {**s.env, "QT_QPA_PLATFORM": "xcb", "QT_LOGGING_RULES": "kvizarion.timing=true", **(env or {})}
    s.game = s.spawn("game", ["./kvizarion", *args], cwd=s.path("game"), env=e)


def answers_shown(s, size="", after=0.0):
    """Waits for the game window (at that size) and its first question's answers; a pick, F10
    or Esc is taken from then on. Returns the window's first paint's time."""
    painted = s.wait_log(f"painted frmMain {size}".strip(), 30, after)
    s.wait_log("input open", 30, after=painted)  # not the one of the window's load
    return painted


def grab(s):
    return k.Screen.grab(s.env)


def windows(s, depth=1):
    """The game's visible windows as (id, width, height, x, y). A window manager puts each in a
    frame of its own (depth 2); without one, a window one level deeper is the video player's."""
    found = []
    for wid in out(s, "xdotool", "search", "--maxdepth", str(depth), "--onlyvisible", "--pid", str(s.game.pid)).split():
        g = dict(re.findall(r"(\w+)=(-?\d+)", out(s, "xdotool", "getwindowgeometry", "--shell", wid)))
        if len(g) > 4:  # not a window gone while asked
            found.append((wid, int(g["WIDTH"]), int(g["HEIGHT"]), int(g["X"]), int(g["Y"])))
    return found


def answer_box(s, depth=1):
    """Enter on the message box (its default button) once it has the keyboard's focus."""
    box = s.until(lambda: next((w[0] for w in windows(s, depth) if w[1] < 640), None), 20, "a message box")
    s.until(lambda: out(s, "xdotool", "getwindowfocus").strip() == box, 10, "the message box taking the keys")
    s.key("Return")


def game_ends(s, timeout=20):
    s.until(lambda: s.game.poll() is not None, timeout, "the game's end")
    s.game = None


def guard_of(s):
    return s.until(lambda: out(s, "pgrep", "-P", str(s.game.pid), "-x", "kvizarion-guard").split()[:1], 5,
                   "the guard beside the game")[0]


def ended(pid):
    return not os.path.exists(f"/proc/{pid}") or open(f"/proc/{pid}/stat").read().split()[2] == "Z"


class Picture:
    """A picture file's pixels, read like a screen's."""

    def __init__(self, file, enlarge=1):
        data = subprocess.run(["convert", file, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
        m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.data, self.enlarge = int(m[1]), data[m.end():], enlarge

    def pixel(self, x, y):
        at = ((y // self.enlarge) * self.width + x // self.enlarge) * 3
        return tuple(self.data[at:at + 3])


def drawn(s, scale):
    """The folder of the pictures as the generator draws them at a scale."""
    folder = s.path(f"drawn{scale}")
    if not os.path.isdir(folder):
        subprocess.run([os.path.join(s.build, "tools", "assetgen", "kvz_assetgen"), "--scale", str(scale), folder],
                       env=dict(s.env, QT_QPA_PLATFORM="offscreen"), capture_output=True, check=True)
    return os.path.join(folder, "pictures")


def pixels_off(screen, x, y, w, h, picture):
    """Pixels of the screen's area more than a few levels off the picture's from its corner."""
    return sum(max(abs(a - b) for a, b in zip(screen.pixel(x + i, y + j), picture.pixel(i, j))) > 8
               for j in range(h) for i in range(w))


def shows_picture(s, screen, x, y, w, h, picture, what):
    """Waits until the screen's area is the picture, give or take 20 pixels."""
    s.until(lambda: pixels_off(screen(), x, y, w, h, picture) <= 20, 10, what)


def notice_in_place(s, screen, scale, x0, y0):
    """The menu's notice strip (dark red) at its layout pixels times the scale from the scene's
    corner: its corners red, the pixels just outside them black."""
    x, y, w, h = s.place("frmIntro", "Label1")
    left, top, right, bottom = x0 + x * scale, y0 + y * scale, x0 + (x + w) * scale - 1, y0 + (y + h) * scale - 1
    seen = [screen.pixel(*p) for p in ((left, top), (right, bottom), (left - 1, top), (left, top - 1),
                                       (right + 1, bottom), (right, bottom + 1))]
    return seen == [(192, 0, 0)] * 2 + [(0, 0, 0)] * 4


def pointer_image(s):
    """The pointer's image as the X server shows it, "WIDTHxHEIGHT+HOTX+HOTY" (XFixes)."""
    class Image(ctypes.Structure):
        _fields_ = [(n, ctypes.c_short) for n in ("x", "y")] + [(n, ctypes.c_ushort) for n in ("w", "h", "hx", "hy")]
    x11, xfixes = (ctypes.CDLL(ctypes.util.find_library(n)) for n in ("X11", "Xfixes"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(Image)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(s.env["DISPLAY"].encode())
    i = xfixes.XFixesGetCursorImage(display).contents
    x11.XCloseDisplay(ctypes.c_void_p(display))
    return f"{i.w}x{i.h}+{i.hx}+{i.hy}"
