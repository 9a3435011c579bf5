#!/usr/bin/env python3
"""Start-up figures of the game on screens of three sizes, run by hand.

    python3 bench/startup/run.py BUILD_DIR [--runs 10] [--display 16] [--before OTHER_BUILD_DIR]

Starts three Xvfb servers of its own (640x480, 1920x1080 and 3840x2160; display numbers
from --display on), then, alternating in one run: a bare 640 x 480 QWidget on the
640x480 screen and the game on each screen (on the large ones it cannot switch and shows
the scene scaled full screen). Each figure is exact to the millisecond: the game writes
its first paint of each window to its timing log (QT_LOGGING_RULES=kvizarion.timing=true,
a monotonic stamp), and the launch is stamped on the same clock. Memory: the peak resident
set. Then the CPU use of the idle menu over 10 s; on each screen the memory of the menu once
the scaled pictures are drawn and the click on "nová hra" (xdotool) to the painted game
window (no sound server, so no wait for lights.wav); and the time to draw every picture and
to paint one frame of the game window at each scale (kvz_bench_scene_frame). The game is stopped with SIGTERM, its
orderly end.
"""
import argparse
import os
import select
import signal
import statistics
import subprocess
import sys
import time
import wave

SCREENS = [("640x480", 0), ("1920x1080", 1), ("3840x2160", 2)]


def now_ms():
    return time.clock_gettime(time.CLOCK_MONOTONIC) * 1000.0


def launch(cmd, env):
    env = dict(env, QT_LOGGING_RULES="kvizarion.timing=true")
    start = now_ms()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    return proc, start


def painted(proc, window, timeout=30.0):
    """The stamp (ms) of the first paint of the window, from the timing log. Reads the pipe
    unbuffered: a line already read into a buffer would not wake select() again."""
    deadline = time.monotonic() + timeout
    pending = getattr(proc, "pending", b"")
    while True:
        while b"\n" in pending:
            line, pending = pending.split(b"\n", 1)
            words = line.decode("utf-8", "replace").split()
            if len(words) >= 4 and words[0] == "kvizarion.timing:" and words[2] == "painted" and words[3] == window:
                proc.pending = pending
                return int(words[1])
        left = deadline - time.monotonic()
        ready, _, _ = select.select([proc.stderr], [], [], max(0.0, left))
        chunk = os.read(proc.stderr.fileno(), 65536) if ready else b""
        if not chunk:
            raise RuntimeError("no paint of %s in the timing log" % window)
        pending += chunk


def stop(proc):
    """SIGTERM, then the peak resident memory of the process in MiB."""
    proc.send_signal(signal.SIGTERM)
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    return usage.ru_maxrss / 1024.0


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def startup(cmd, env, window):
    proc, start = launch(cmd, env)
    stamp = painted(proc, window)
    return stamp - start, stop(proc)


def summary(values, fmt="%.0f"):
    return " / ".join(fmt % v for v in (min(values), statistics.median(values), max(values)))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--runs", type=int, default=10)
    ap.add_argument("--display", type=int, default=16)
    ap.add_argument("--before", help="another build folder whose game starts in turn with this one's on the "
                    "640x480 screen, in the same run: what a change costs at start-up")
    args = ap.parse_args()
    build = os.path.abspath(args.build)
    game = os.path.join(build, "kvizarion")
    bare = os.path.join(build, "kvz_bench_bare_window")
    frame = os.path.join(build, "kvz_bench_scene_frame")
    for exe in (game, bare, frame):
        if not os.access(exe, os.X_OK):
            sys.exit("missing %s (build kvizarion kvz_bench_bare_window kvz_bench_scene_frame)" % exe)

    servers, envs = [], {}
    try:
        for size, offset in SCREENS:
            display = ":%d" % (args.display + offset)
            servers.append(subprocess.Popen(["Xvfb", display, "-screen", "0", size + "x24", "-nolisten", "tcp"],
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            envs[size] = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        for env in envs.values():
            for _ in range(100):
                if subprocess.call(["xprop", "-root"], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL) == 0:
                    break
                time.sleep(0.1)
            else:
                sys.exit("Xvfb on %s did not start (display in use?)" % env["DISPLAY"])
        runs = [("bare 640 x 480 QWidget", [bare], "640x480", "bare")]
        runs += [("menu on a %s screen" % size, [game], size, "frmIntro") for size, _ in SCREENS]
        if args.before:
            before = os.path.join(os.path.abspath(args.before), "kvizarion")
            runs.append(("menu 640x480, --before", [before], "640x480", "frmIntro"))
        results = {name: ([], []) for name, _, _, _ in runs}
        for _ in range(args.runs):
            for name, cmd, size, window in runs:
                ms, mib = startup(cmd, envs[size], window)
                results[name][0].append(ms)
                results[name][1].append(mib)
        base = statistics.median(results["menu on a 640x480 screen"][0])
        print("start-up to the first paint, min / median / max (ms); ratio of medians to the 640x480 menu; "
              "peak memory (MiB)")
        for name, (times, mems) in results.items():
            print("  %-24s %-16s %.2f   %s" % (name, summary(times), statistics.median(times) / base, summary(mems)))

        proc, _ = launch([game], envs["1920x1080"])
        painted(proc, "frmIntro")
        time.sleep(1.0)
        before = cpu_seconds(proc.pid)
        time.sleep(10.0)
        used = cpu_seconds(proc.pid) - before
        stop(proc)
        print("idle menu (scaled, 1920x1080): %.2f s CPU in 10 s (%.1f %%)" % (used, used * 10.0))

        with wave.open(os.path.join(build, "snd", "lights.wav")) as w:
            lights_ms = w.getnframes() * 1000.0 / w.getframerate()
        # Without a sound server the menu sound has no length to wait for.
        print("click on nová hra to the painted game window (lights.wav: %.0f ms, not waited for here); "
              "resident memory of the menu 2 s after its first paint (the scaled pictures drawn ahead by then)"
              % lights_ms)
        for size, _ in SCREENS:
            width, height = (int(v) for v in size.split("x"))
            scale = max(1, min(width // 640, height // 480))
            x = (width - 640 * scale) // 2 + 145 * scale
            y = (height - 480 * scale) // 2 + 129 * scale
            waits, mems = [], []
            for _ in range(args.runs):
                proc, _ = launch([game], envs[size])
                painted(proc, "frmIntro")
                time.sleep(2.0)
                mems.append(resident_mib(proc.pid))
                subprocess.run(["xdotool", "mousemove", str(x), str(y)], env=envs[size], check=True)
                time.sleep(0.2)
                clicked = now_ms()
                subprocess.run(["xdotool", "click", "1"], env=envs[size], check=True)
                waits.append(painted(proc, "frmMain") - clicked)
                stop(proc)
            print("  %-10s scale %d: %s ms; %s MiB" % (size, scale, summary(waits), summary(mems)))

        for size, _ in SCREENS:
            out = subprocess.run([frame, "--frames", "200"], env=envs[size], capture_output=True, text=True, check=True)
            print("one frame of the game window, " + out.stdout.strip())
    finally:
        for server in servers:
            server.terminate()
            server.wait()


if __name__ == "__main__":
    main()
