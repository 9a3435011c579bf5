#!/usr/bin/env python3
"""The display's guard: its cost at start-up and how soon it sets the display back, run by hand.

    python3 bench/startup/guard.py BUILD_DIR [--runs 10]

Needs root: starts its own Xorg with the dummy driver (tests/shell/xorg_dummy_modes.conf, at
1024x768), where the game switches to 640x480. Alternating in one run: the game as built, with
its guard, and a copy of it in a folder without the guard program (it then plays unguarded),
each from launch to the first paint of the menu (the timing log, as in run.py), ended with
SIGTERM and the screen back at 1024x768 before the next. Then the game killed with SIGKILL at
its menu: the time from the kill to the screen back at 1024x768 (xrandr --current polled).
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run import launch, now_ms, painted, stop, summary  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
CONF = os.path.join(HERE, "..", "..", "tests", "shell", "xorg_dummy_modes.conf")


def screen_size(env):
    out = subprocess.run(["xrandr", "--current"], env=env, capture_output=True, text=True).stdout
    for line in out.splitlines():
        if " current " in line:
            words = line.split("current ", 1)[1].split(",")[0].split(" x ")
            return "%sx%s" % (words[0].strip(), words[1].strip())
    return ""


def wait_screen(env, size, timeout=10.0):
    deadline = time.monotonic() + timeout
    while screen_size(env) != size:
        if time.monotonic() > deadline:
            raise RuntimeError("the screen is %s, not %s" % (screen_size(env), size))
        time.sleep(0.005)


def start_xorg(work):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xorg", "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset",
                               "-config", os.path.abspath(CONF), "-logfile", os.path.join(work, "xorg.log")],
                              pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        server.terminate()
        sys.exit("Xorg did not start (see %s)" % os.path.join(work, "xorg.log"))
    return server, dict(os.environ, DISPLAY=":" + number, QT_QPA_PLATFORM="xcb")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--runs", type=int, default=10)
    args = ap.parse_args()
    if os.getuid() != 0:
        sys.exit("Xorg with the dummy driver needs root")
    build = os.path.abspath(args.build)
    guarded = os.path.join(build, "kvizarion")
    if not os.access(os.path.join(build, "kvizarion-guard"), os.X_OK):
        sys.exit("missing %s/kvizarion-guard (build kvizarion)" % build)
    work = tempfile.mkdtemp(prefix="kvz-guard-bench.")
    server = None
    try:
        unguarded = os.path.join(work, "kvizarion")
        shutil.copy2(guarded, unguarded)
        for data in ("qst", "snd"):
            os.symlink(os.path.join(build, data), os.path.join(work, data))
        server, env = start_xorg(work)
        wait_screen(env, "1024x768")

        results = {"with the guard": [], "without the guard": []}
        for _ in range(args.runs):
            for name, program in (("with the guard", guarded), ("without the guard", unguarded)):
                proc, start = launch([program], env)
                results[name].append(painted(proc, "frmIntro") - start)
                stop(proc)
                wait_screen(env, "1024x768")
        print("start-up to the menu's first paint on a switching screen, min / median / max (ms)")
        for name, times in results.items():
            print("  %-18s %s" % (name, summary(times)))

        restores = []
        for _ in range(args.runs):
            proc, _ = launch([guarded], env)
            painted(proc, "frmIntro")
            wait_screen(env, "640x480")
            killed = now_ms()
            proc.send_signal(signal.SIGKILL)
            wait_screen(env, "1024x768", timeout=5.0)
            restores.append(now_ms() - killed)
            proc.wait()
        print("SIGKILL to the screen back at 1024x768, min / median / max (ms): %s" % summary(restores))
    finally:
        if server:
            server.terminate()
            server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
