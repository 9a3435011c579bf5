# The harness of the whole-program checks: servers of their own, the real game, its screen read
# in-process, real input, and every place taken from the build's layout.json.
#
# A check is a function of a Session, run by run(): what cannot run here is skipped (exit 77;
# failed under KVZ_STRICT_CHECKS=1), a failure keeps the work folder with a screenshot, the game's
# output, and everything started is ended on every way out.
# Times are time.monotonic() seconds, the clock of the game's timing log.
import array, json, math, mmap, os, re, shutil, signal, struct, subprocess, sys, tempfile, time, traceback, wave  # noqa: E401


class Skip(Exception): pass  # noqa: E701


class Fail(Exception): pass  # noqa: E701


def skip(why): raise Skip(why)  # noqa: E704


def fail(why): raise Fail(why)  # noqa: E704


def need(*tools):
    for tool in (t for t in tools if not shutil.which(t)):
        skip(f"{tool} is not installed (run.sh test installs it)")


def near(what, measured_s, expected_ms, early_ms=400, late_ms=1000):
    # A measured interval within [expected - early, expected + late]; the times seen by a poll
    # on a loaded machine come late, so the window leans late.
    if not expected_ms - early_ms <= (ms := measured_s * 1000) <= expected_ms + late_ms:
        fail(f"{what} took {ms:.0f} ms, expected {expected_ms} ms (-{early_ms}/+{late_ms})")


def colour(r, g, b):
    # An answer plate's colour: b blue, o orange, g green, ? other.
    return "o" if r > 120 and g < r and b < 60 else "g" if g > r + 40 and g > b + 40 else "b" if b > r and b > g else "?"


# Bytes above 200 become 1, the rest 0 (read in C).
BRIGHT = bytes(int(v > 200) for v in range(256))


class Screen:
    # An X screen's pixels from an XWD image: Xvfb's live framebuffer file (mapped, read
    # without a fork per poll), or one taken with xwd from any server.
    def __init__(self, data):
        self.data, h = data, struct.unpack(">25I", data[:100])
        if h[11] != 32:
            fail(f"the screen's XWD image has {h[11]} bits a pixel, not 32")
        self.width, self.height, self.bpl, self.base = h[4], h[5], h[12], h[0] + h[19] * 12
        # LSB first: blue, green, red, pad; MSB first: pad, red, green, blue.
        self.order, self.first = ((2, 1, 0), 0) if h[7] == 0 else ((1, 2, 3), 1)

    @staticmethod
    def grab(env):
        # The screen now, from any X server (one fork).
        return Screen(subprocess.run(["xwd", "-root", "-silent"], env=env, capture_output=True, check=True).stdout)

    def row(self, x, y, w):
        at = self.base + y * self.bpl + x * 4
        return self.data[at:at + w * 4]

    def pixel(self, x, y):
        return tuple(self.row(x, y, 1)[i] for i in self.order)

    def pixels(self, rect):
        # The rectangle's pixels as (r, g, b), row by row.
        x, y, w, h = rect
        rows = [self.row(x, j, w) for j in range(y, y + h)]
        return [p for r in rows for p in zip(r[self.order[0]::4], r[self.order[1]::4], r[self.order[2]::4])]

    def shows_white(self, rect):
        # Whether white text (or anything white) shows in the rectangle: a pixel whose three colour
        # bytes are all above 200, found by and-ing each colour's bytes of a row as one number.
        x, y, w, h = rect
        rows = (self.row(x, j, w).translate(BRIGHT) for j in range(y, y + h))
        return any(int.from_bytes(r[self.first::4], "big") & int.from_bytes(r[self.first + 1::4], "big")
                   & int.from_bytes(r[self.first + 2::4], "big") for r in rows)


def pixels_off(screen, rect, picture):
    # Pixels of the screen's rectangle more than a few levels off the picture's from its corner.
    x, y, w, h = rect
    if len(picture) < h or len(picture[0]) < 3 * w:
        fail(f"a picture of {len(picture[0]) // 3} x {len(picture)} does not cover {w} x {h}")
    shown = screen.pixels(rect)
    off = (max(abs(a - b) for a, b in zip(shown[j * w + i], picture[j][3 * i:3 * i + 3])) for j in range(h) for i in range(w))
    return sum(level > 8 for level in off)


class Session:
    def __init__(self, build):
        places = os.path.join(build, "tests", "layout.json")
        if not os.path.exists(places):
            fail(f"{places} is missing: build the target kvz_layout_json")
        self.layout = json.load(open(places, encoding="utf-8"))
        self.build, self.work = os.path.abspath(build), tempfile.mkdtemp(prefix="kvz-check.")
        drop = ("KVIZARION_PROBE", "KVIZARION_SEED", "PULSE_SERVER", "PULSE_SINK", "QT_MEDIA_BACKEND", "QT_MESSAGE_PATTERN",
                "DBUS_SESSION_BUS_ADDRESS")
        self.env = {k: v for k, v in os.environ.items() if k not in drop}
        # procs: ended in reverse order.
        self.procs, self.fb, self.game = [], None, None

    def place(self, form, element):
        # An element's rectangle in scene pixels: x, y, width, height.
        return tuple(self.layout[form][element])

    def path(self, name):
        return os.path.join(self.work, name)

    def spawn(self, name, argv, **kw):
        # Starts a program, its output in the work folder; ended at the session's end.
        out = kw.pop("stdout", open(self.path(name + ".log"), "ab"))
        self.procs.append(subprocess.Popen(argv, env=kw.pop("env", self.env), stdout=out, stderr=subprocess.STDOUT,
                                           start_new_session=True, **kw))
        return self.procs[-1]

    def end(self, p):
        if p.poll() is None:
            os.killpg(p.pid, signal.SIGTERM)
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                os.killpg(p.pid, signal.SIGKILL)
                p.wait()

    # ------------------------------------------------------------------ servers
    def start_x(self, size="640x480"):
        # Xvfb of its own (it picks its display: -displayfd), its screen in a file read in-process.
        need("Xvfb", "xdotool")
        os.makedirs(self.path("fb"))
        r, w = os.pipe()
        self.spawn("xvfb", ["Xvfb", "-displayfd", str(w), "-screen", "0", size + "x24", "-fbdir", self.path("fb"),
                            "-nolisten", "tcp", "-noreset"], pass_fds=(w,))
        os.close(w)
        self.env["DISPLAY"] = ":" + (os.fdopen(r).readline().strip() or skip(f"no X server: Xvfb gave no display ({self.tail('xvfb', 1)})"))
        with open(self.path("fb/Xvfb_screen0"), "rb") as f:
            self.fb = Screen(mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ))
        return self.env["DISPLAY"]

    def start_pulse(self):
        # A sound server of its own with a null sink "nul", the only output the game sees.
        need("pulseaudio", "pactl")
        os.makedirs(run := self.path("pulse"), mode=0o700)
        self.env.update(XDG_RUNTIME_DIR=run, HOME=run)
        self.spawn("pulse", ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--load=module-null-sink sink_name=nul",
                             "--load=module-native-protocol-unix"])
        self.until(lambda: self.runs("pactl", "info"), 10, "the sound server answering", on_timeout=skip)

    def start_recording(self, rate, channels):
        # Records everything played into rec.wav.
        need("parec")
        self.rec = self.spawn("parec", ["parec", "-d", "nul.monitor", f"--rate={rate}", f"--channels={channels}", "--format=s16le",
                                        "--latency-msec=20", "--file-format=wav", self.path("rec.wav")])

    def stop_recording(self):
        # Ends the recording; returns the time of its first sample. It may begin well after parec
        # starts on a loaded machine, but once running it loses nothing: it began its length ago.
        end = time.monotonic()
        os.killpg(self.rec.pid, signal.SIGINT)
        self.rec.wait(10)
        with wave.open(self.path("rec.wav")) as w:
            return end - w.getnframes() / w.getframerate()

    def start_a11y_bus(self):
        # A screen and a sound server, a session bus and at-spi2-core's bus launcher behind it, as
        # a desktop starts them; the game then reads its tree out to whoever asks, as under a
        # running screen reader.
        self.start_x()
        self.start_pulse()
        need("dbus-daemon")
        launcher = "/usr/libexec/at-spi-bus-launcher"
        if not os.access(launcher, os.X_OK):
            skip(f"at-spi2-core is not installed (no {launcher})")
        bus = self.spawn("dbus", ["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip() or skip("dbus-daemon gives no address")
        self.spawn("at-spi", [launcher, "--launch-immediately"])
        ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"]
        self.until(lambda: self.runs(*ask), 10, "the accessibility bus", on_timeout=skip)
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"

    # ------------------------------------------------------------------ the game
    def game_dir(self, questions=None):
        # The game's folder: a copy of the program (it finds its data beside its resolved path),
        # the build's sounds, and the questions compiled from the source given (else the build's).
        d, b = self.path("game"), lambda f: os.path.join(self.build, f)
        for f in (f for f in ("kvizarion", "kvizarion-qst") if not os.access(b(f), os.X_OK)):
            fail(f"{b(f)} is not built")
        shutil.copytree(b("snd"), os.path.join(d, "snd"))
        shutil.copy(b("kvizarion"), d)
        if questions is None:
            shutil.copytree(b("qst"), os.path.join(d, "qst"))
        elif (built := subprocess.run([b("kvizarion-qst"), "build", questions, "-o", os.path.join(d, "qst")], capture_output=True,
                                      env=dict(self.env, QT_QPA_PLATFORM="offscreen"), text=True)).returncode:
            fail(f"the questions do not build: {built.stdout}{built.stderr}")
        return d

    def start_game(self, *args, env=None, program=None):
        # The game from its folder with its timing log (game.log) begun anew; an installed program
        # from the work folder, which holds none of its files.
        e = {**self.env, "QT_QPA_PLATFORM": "xcb", "QT_LOGGING_RULES": "kvizarion.timing=true", **(env or {})}
        self.game = self.spawn("game", [program or "./kvizarion", *args], cwd=self.work if program else self.path("game"), env=e,
                               stdout=open(self.path("game.log"), "wb"))
        return self.game

    def stop_game(self):
        self.end(self.game)
        self.game = None

    def log(self, what=""):
        # The timing log's lines that begin with what: (time in s, the line's text), in order.
        lines = re.findall(r"^kvizarion\.timing: (\d+) (.*)$", self.tail("game"), re.M)
        return [(int(t) / 1000, w) for t, w in lines if w.startswith(what)]

    def wait_log(self, what, timeout, after=0.0):
        # Waits for a line of the timing log logged after the given time; returns its time.
        return self.until(lambda: next((t for t, _ in self.log(what) if t > after), None), timeout,
                          f'"{what}" in the timing log')

    # ------------------------------------------------------------------ waiting and input
    def until(self, probe, timeout, what, poll=0.015, on_timeout=fail, shown=None):
        # Polls probe until it returns a true value; returns that value. The game ending on the
        # way fails at once.
        end = time.monotonic() + timeout
        while not (value := probe()):
            if self.game and self.game.poll() is not None:
                fail(f"{what}: the game ended unexpectedly (exit status {self.game.returncode})")
            if time.monotonic() > end:
                on_timeout(f"{what}: not seen within {timeout} s (last seen: {shown() if shown else value})")
            time.sleep(poll)
        return value

    def state(self, probe, want, timeout, what):
        # Waits until probe() matches the regular expression want; returns (time, state).
        last = [None]

        def seen():
            last[0] = probe()
            return (time.monotonic(), last[0]) if re.fullmatch(want, last[0]) else None
        return self.until(seen, timeout, what, shown=lambda: last[0])

    def runs(self, *argv):
        return subprocess.run(argv, env=self.env, capture_output=True).returncode == 0

    def out(self, *argv):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True).stdout

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)
        return time.monotonic()

    def key(self, key):
        return self.xdo("key", key)

    def click(self, form, element, scene=(1, 0, 0)):
        # Clicks an element's centre on the scene drawn at a scale from a corner (at 1 x from 0,0
        # unless told), then moves the pointer out of the way of every place read: it is drawn
        # into the framebuffer.
        (scale, x0, y0), (x, y, w, h) = scene, self.place(form, element)
        t = self.xdo("mousemove", str(x0 + scale * (x + w // 2)), str(y0 + scale * (y + h // 2)), "click", "1")
        self.xdo("mousemove", "5", "5")
        return t

    def drawn(self, scale, name, enlarge=1):
        # A picture as the generator draws it at a scale (each pixel repeated to enlarge it): its
        # rows of (r, g, b) bytes.
        folder = self.path(f"drawn{scale}")
        if not os.path.isdir(folder):
            subprocess.run([f"{self.build}/tools/assetgen/kvz_assetgen", "--scale", str(scale), folder],
                           env=dict(self.env, QT_QPA_PLATFORM="offscreen"), capture_output=True, check=True)
        ppm = subprocess.run(["convert", f"{folder}/pictures/{name}.png", "-scale", f"{100 * enlarge}%", "-depth", "8", "ppm:-"],
                             capture_output=True, check=True).stdout
        head = re.match(rb"P6\s+(\d+)\s+\d+\s+255\s", ppm)
        return [ppm[at:at + 3 * int(head[1])] for at in range(head.end(), len(ppm), 3 * int(head[1]))]

    def shows(self, rect, picture, what, screen=None):
        # Waits until a rectangle of the screen (Xvfb's, else the one screen() grabs) is the
        # picture from its corner, give or take 20 pixels; a paint may come a moment late.
        self.until(lambda: pixels_off((screen or (lambda: self.fb))(), rect, picture) <= 20, 10, what)

    # The last n lines of a program's output (all of it without n).
    def tail(self, name, n=None):
        f = self.path(name + ".log")
        return "\n".join(open(f, encoding="utf-8", errors="replace").read().splitlines()[-n if n else 0:]) if os.path.exists(f) else ""


def run(check, build=None):
    # Runs check(session) and exits with its outcome: 0, 1 failed, 77 skipped.
    build = build or (sys.argv[1] if len(sys.argv) > 1 else sys.exit("usage: CHECK BUILD_DIR"))
    s, rc = None, 1
    try:
        s = Session(build)
        check(s)
        rc = 0
    except Skip as e:
        strict = os.environ.get("KVZ_STRICT_CHECKS", "0") != "0"
        print(("FAIL: this check cannot run here, and KVZ_STRICT_CHECKS is set: " if strict else "SKIPPED: ") + str(e))
        rc = 1 if strict else 77
    except Fail as e:
        print("FAIL:", e, file=sys.stderr)
    except Exception:
        traceback.print_exc()
    finally:
        if s and rc == 1:
            if s.fb:  # the screen as a failed check left it
                s.runs("import", "-window", "root", s.path("last-screen.png"))
            print("--- game output", s.tail("game", 20), f"kept for inspection: {s.work}", sep="\n", file=sys.stderr)
        for p in reversed(s.procs if s else []):
            s.end(p)
        if s and rc != 1:
            shutil.rmtree(s.work, ignore_errors=True)
    sys.exit(rc)


# ------------------------------------------------------------------ test tones in a recording
# (a mono recording of sounds that are each a sine tone of their own frequency)

def band(wav, hz):
    # The recording through a narrow band around a tone: its 16-bit samples and their rate.
    with wave.open(wav) as w:
        rate = w.getframerate()
    return array.array("h", subprocess.run(["sox", wav, "-t", "raw", "-e", "signed", "-b", "16", "-", "sinc", f"{hz - 150}-{hz + 150}"],
                                           capture_output=True, check=True).stdout), rate


def onsets(wav, hz):
    # The times (s into the recording) at which a tone starts: loud in its band after at least
    # 0.3 s of quiet in it, read in blocks of 10 ms.
    (samples, rate), out, last = band(wav, hz), [], -1.0
    block = rate // 100
    for i in (i for i in range(0, len(samples), block) if max(map(abs, samples[i:i + block])) > 0.2 * 32768):
        out += [i / rate] if i / rate - last > 0.3 else []
        last = i / rate
    return out


def level(heard, start, end):
    # A band's amplitude (0 to 1 of full scale) from start to end (s into the recording): a sine's
    # mean absolute value is 2 / pi of it, and a gap lowers it in proportion.
    samples, rate = heard
    part = samples[int(start * rate):int(end * rate)]
    return math.pi / 2 * sum(map(abs, part)) / len(part) / 32768 if part else 0.0
