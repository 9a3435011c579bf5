# Random real input for the real program: the game built with AddressSanitizer and UBSan runs
# under its own Xvfb while xdotool presses keys (A-D in both cases, F5, F6, F7, F10, Esc,
# Enter, Space and others) and clicks and double-clicks the elements of the menu, the game
# window, the information screens and random places, at random intervals. A program that
# leaves (the exit button) is started again. Counted and reported at the end:
#   crashes:   the program ended by a signal or with a status other than 0;
#   sanitizer: reports written by ASan or UBSan;
#   stuck:     the screen (the pointer's corner left out) stayed the same for STUCK_S seconds
#              (default 60, longer than any timed sequence of the game) while input went on.
# Usage: python3 bench/soak/real_input.py BUILD_DIR [SECONDS] [none|null-sink] [SEED]
# Exit status 0 when all three counts are 0.
import glob, hashlib, os, random, re, subprocess, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
from kvz_check import fail, run  # noqa: E402

KEYS = "a b c d shift+a shift+b shift+c shift+d F5 F6 F7 F10 Escape Return space Tab x 1 F1 Left BackSpace".split()
# The menu's four buttons (the exit button fourth), the OK of the rules and about screens, the
# game window's plates, texts, lifeline icons, logo, ladder and question.
TARGETS = [("frmIntro", e) for e in ("imgNova", "imgPrav", "imgAbout", "imgKonec")] + [("frmRules", "Command1")] + \
    [("frmMain", e) for e in "imgA imgB imgC imgD lblA lblB lblC lblD imgN5050 imgNTel imgNDiv imgLogo imgStupnice lblZadani".split()]
# What the timing log tells of the games played.
PLAYED = {"games": r"painted frmMain", "verdicts": r"effects set file.*[/\\](r|w|pt)\.wav", "fifty-fifty": r"fifty-fifty click",
          "polls": r"effects set file.*div\.wav", "calls": r"call click"}


def soak(s):
    args = sys.argv[2:] + [None] * 3
    span, sound, seed = float(args[0] or 600), args[1] or "null-sink", int(args[2] or os.getpid())
    stuck_s, rnd = float(os.environ.get("STUCK_S", 60)), random.Random(seed)
    centres = [(x + w // 2, y + h // 2) for x, y, w, h in (s.place(*t) for t in TARGETS)] + [(320, 240)]
    s.game_dir()
    s.start_x()
    if sound == "null-sink":
        s.start_pulse()
    elif sound == "none":
        # No sound server: the client may neither find one nor start one.
        open(s.path("client.conf"), "w").write("autospawn = no\n")
        s.env.update(PULSE_SERVER="unix:/nonexistent", PULSE_CLIENTCONFIG=s.path("client.conf"))
    else:
        fail(f"sound is none or null-sink, not {sound}")
    sanitizers = {"ASAN_OPTIONS": f"detect_leaks=0:log_path={s.path('asan')}",
                  "UBSAN_OPTIONS": f"print_stacktrace=1:halt_on_error=1:log_path={s.path('ubsan')}"}

    def act():
        r = rnd.randrange(100)
        if r < 45:
            return s.runs("xdotool", "key", rnd.choice(KEYS))
        x, y = rnd.choice(centres) if r < 85 else (rnd.randrange(640), rnd.randrange(480))
        if (x, y) == centres[3] and rnd.randrange(4):  # the exit button, pressed seldom: games get played
            x, y = centres[0]
        click = ["click", "--repeat", "2", "--delay", "80", "1"] if rnd.randrange(3) == 0 else ["click", "1"]
        s.runs("xdotool", "mousemove", str(x), str(y), *click)
        s.runs("xdotool", "mousemove", "2", "2")

    # The screen below the pointer's parking corner.
    screen = lambda: hashlib.md5(s.fb.data[s.fb.base + 40 * s.fb.bpl:]).digest()  # noqa: E731
    s.start_game("no_fullscreen", env=sanitizers)
    runs, exits, crashes, stuck, actions = 1, 0, 0, 0, 0
    end, last, same_since = time.monotonic() + span, None, time.monotonic()
    while time.monotonic() < end:
        if (status := s.game.poll()) is not None:
            exits, crashes = exits + (status == 0), crashes + (status != 0)
            if status:
                print(f"soak: the program ended with status {status} after {actions} actions")
            s.start_game("no_fullscreen", env=sanitizers)
            runs, same_since = runs + 1, time.monotonic()
        act()
        actions += 1
        time.sleep(rnd.randrange(100) / 100)
        if (now := screen()) != last:
            last, same_since = now, time.monotonic()
        elif time.monotonic() - same_since >= stuck_s:
            stuck += 1
            subprocess.run(["convert", "xwd:" + s.path("fb/Xvfb_screen0"), s.path(f"stuck-{stuck}.png")], capture_output=True)
            print(f"soak: the screen has not changed for {stuck_s:.0f} s (kept as stuck-{stuck}.png)")
            same_since = time.monotonic()
    s.end(s.game)
    found = "".join(open(f, errors="replace").read() for f in glob.glob(s.path("asan.*")) + glob.glob(s.path("ubsan.*")))
    reports = len(re.findall(r"ERROR: AddressSanitizer|runtime error", found))
    played = ", ".join(f"{len(re.findall(p, s.tail('game')))} {what}" for what, p in PLAYED.items())
    print(f"soak ({sound}, seed {seed}, {span:.0f} s): {actions} actions, {runs} program runs ({exits} left by the exit button), "
          f"{played}; crashes {crashes}, sanitizer reports {reports}, stuck screens {stuck}")
    if crashes or reports or stuck:
        print("\n".join(found.splitlines()[:60]), file=sys.stderr)
        fail(f"crashes {crashes}, sanitizer reports {reports}, stuck screens {stuck}")


if __name__ == "__main__":
    run(soak)
