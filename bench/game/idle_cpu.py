# CPU use of the real program while a question waits for the player, the music playing: the
# program under its own X server and sound server, the build's sounds and questions, a game
# started from the menu; once the answers are revealed, utime + stime of the process are read
# from /proc before and after SECONDS_TO_WATCH seconds (default 10).
#
# Usage: python3 bench/game/idle_cpu.py BUILD_DIR [SECONDS_TO_WATCH]
import array, math, os, sys, time, wave  # noqa: E401

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "..", "tests", *p) for p in (("support",), ("game",))]
from kvz_check import fail, run  # noqa: E402
from play import at_menu  # noqa: E402


def cpu_s(s):
    fields = open(f"/proc/{s.game.pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")  # utime + stime


def bench(s):
    span = float(sys.argv[2]) if len(sys.argv) > 2 else 10
    s.game_dir()
    g = at_menu(s, (8000, 1))
    g.new_game()
    # A two-line question may leave the rows read for the question text blank: answers only.
    g.wait(".1111 bbbb", 60, "the answers of question 1")
    time.sleep(1)
    t0, c0 = time.monotonic(), cpu_s(s)
    time.sleep(span)
    t1, c1 = time.monotonic(), cpu_s(s)
    if not g.state().endswith("1111 bbbb"):
        fail(f"the question did not stay waiting: {g.state()}")
    s.stop_recording()
    # The music must really have been playing while measured: the recording's last stretch.
    with wave.open(s.path("rec.wav")) as w:
        samples = array.array("h", w.readframes(w.getnframes()))[-int((span + 2) * w.getframerate()):]
    rms = math.sqrt(sum(v * v for v in samples) / max(len(samples), 1)) / 32768
    print(f"cpu while waiting: {(c1 - c0) * 1000:.0f} ms of CPU in {t1 - t0:.1f} s = {(c1 - c0) * 100 / (t1 - t0):.1f} % "
          f"of one core (music RMS {rms:.6f})")


if __name__ == "__main__":
    run(bench)
