#!/usr/bin/env python3
"""Start-up figures of the game against a bare 640 x 480 QWidget, run by hand.

    python3 bench/startup/run.py BUILD_DIR [--runs 10] [--display :16]

Starts an Xvfb of its own on the display given (unless one answers there), then for each
program measures, from the launch to the line it prints at its first paint, the start-up
time (min/median/max over the runs, both programs alternating in the same run), and the
peak memory (maximum resident set). Then the CPU use of the idle menu over 10 s, and the
time from the click on "nova hra" to the first painted game window minus the length of
lights.wav. The game is stopped with SIGTERM, its orderly end.
"""
import argparse
import os
import resource
import select
import signal
import statistics
import subprocess
import sys
import time
import wave


def launch(cmd, env):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return proc, start


def read_painted(proc, timeout=30.0):
    """The next 'painted NAME T SINCE_MARK' line, with the time it was read."""
    ready, _, _ = select.select([proc.stdout], [], [], timeout)
    if not ready:
        raise RuntimeError("no paint reported")
    line = proc.stdout.readline().split()
    if len(line) != 4 or line[0] != "painted":
        raise RuntimeError("unexpected output: %r" % line)
    return time.perf_counter(), line[1], int(line[3])


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


def startup(cmd, env):
    proc, start = launch(cmd, env)
    painted, _, _ = read_painted(proc)
    return (painted - start) * 1000.0, stop(proc)


def summary(values):
    return "min %.0f  median %.0f  max %.0f" % (min(values), statistics.median(values), max(values))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--runs", type=int, default=10)
    ap.add_argument("--display", default=":16")
    args = ap.parse_args()
    build = os.path.abspath(args.build)
    game = os.path.join(build, "kvizarion")
    bare = os.path.join(build, "kvz_bench_bare_window")
    for exe in (game, bare):
        if not os.access(exe, os.X_OK):
            sys.exit("missing %s (build kvizarion and kvz_bench_bare_window)" % exe)

    env = dict(os.environ, DISPLAY=args.display, QT_QPA_PLATFORM="xcb")
    xvfb = None
    if subprocess.call(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) != 0:
        xvfb = subprocess.Popen(["Xvfb", args.display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
    try:
        results = {"bare": ([], []), "menu": ([], []), "game": ([], [])}
        for _ in range(args.runs):
            for name, cmd, probe in (("bare", [bare], None), ("menu", [game], "menu"), ("game", [game], "game")):
                run_env = dict(env, KVIZARION_PROBE=probe) if probe else env
                ms, mib = startup(cmd, run_env)
                results[name][0].append(ms)
                results[name][1].append(mib)
        bare_median = statistics.median(results["bare"][0])
        for name, (times, mems) in results.items():
            print("%-5s start-up to first paint (ms): %s   ratio of medians to bare %.2f   peak memory (MiB): %s"
                  % (name, summary(times), statistics.median(times) / bare_median, summary(mems)))

        proc, _ = launch([game], dict(env, KVIZARION_PROBE="menu"))
        read_painted(proc)
        time.sleep(1.0)
        before = cpu_seconds(proc.pid)
        time.sleep(10.0)
        used = cpu_seconds(proc.pid) - before
        stop(proc)
        print("idle menu: %.2f s CPU in 10 s (%.1f %%)" % (used, used * 10.0))

        with wave.open(os.path.join(build, "snd", "lights.wav")) as w:
            lights_ms = w.getnframes() * 1000.0 / w.getframerate()
        waits = []
        for _ in range(args.runs):
            proc, _ = launch([game], dict(env, KVIZARION_PROBE="newgame"))
            read_painted(proc)                      # the menu
            _, name, since_click = read_painted(proc)  # the game window
            stop(proc)
            waits.append(since_click - lights_ms)
        print("click on new game to painted game window, minus lights.wav (%.0f ms): %s ms"
              % (lights_ms, summary(waits)))
    finally:
        if xvfb:
            xvfb.terminate()
            xvfb.wait()


if __name__ == "__main__":
    main()
