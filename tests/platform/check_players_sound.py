# The menu sound is heard at every one of ten plays in a row, and a new effect cuts off the
# previous one: tests/kvz_players_heard on the session's own
# PulseAudio null sink, its "cannot run here" (exit 77) taken as the session's skip.
import os, subprocess, sys  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from kvz_check import fail, need, run, skip  # noqa: E402


def check(s):
    program = os.path.join(s.build, "tests", "kvz_players_heard")
    if not os.access(program, os.X_OK):
        fail(f"{program} is not built")
    need("parec")
    s.start_pulse()
    done = subprocess.run([program], env=dict(s.env, QT_QPA_PLATFORM="offscreen"), capture_output=True, text=True)
    print(done.stdout, end="")
    if done.returncode == 77:
        skip(done.stdout.partition("SKIPPED: ")[2].strip())
    if done.returncode:
        fail(f"{program} failed ({done.returncode}):\n{done.stderr[-2000:]}")


run(check)
