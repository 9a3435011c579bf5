# The players as a player hears them, on the session's own PulseAudio null sink recorded from its
# monitor: the menu sound is heard at every one of ten plays in a row, a new effect cuts off the
# one that sounds instead of mixing with it, and the music repeats without a gap. The tones made
# here are played by tests/kvz_players_heard, in the sound thread as in the game, which prints
# when it started each (its "cannot run here", exit 77, is the session's skip). How soon a sound
# starts is measured in bench/players, not here: a sound counts as heard if it starts within 2 s.
# The effects and the music heard at every play of a whole game, and when: game/check_e2e_game.py.
import os, re, subprocess, sys  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from kvz_check import band, fail, level, need, onsets, run, skip  # noqa: E402

# Each sound's tone (Hz) and length (s) at half scale, in the order the player takes them; the
# effects and the menu sound end in 0.2 s of silence.
TONES = {"menu": (700, 0.5), "low": (1000, 2.0), "high": (2500, 0.6), "music": (400, 1.0)}
EARLY = 0.1  # how far a sound may seem to start before its play: the recording's start is estimated


def check(s):
    program = os.path.join(s.build, "tests", "kvz_players_heard")
    if not os.access(program, os.X_OK):
        fail(f"{program} is not built")
    need("sox")
    for name, (hz, length) in TONES.items():
        subprocess.run(["sox", "-n", "-r", "48000", "-c", "1", "-b", "16", s.path(f"{name}.wav"), "synth", str(length), "sine", str(hz),
                        "vol", "0.5", "pad", "0", "0" if name == "music" else "0.2"], check=True)
    s.start_pulse()
    s.start_recording(8000, 1)
    rec = s.path("rec.wav")  # recording before the first play
    s.until(lambda: os.path.exists(rec) and os.path.getsize(rec) > 4096, 10, "the recording")
    done = subprocess.run([program, *(s.path(f"{name}.wav") for name in TONES)], env=dict(s.env, QT_QPA_PLATFORM="offscreen"),
                          capture_output=True, text=True)
    start = s.stop_recording()
    print(done.stdout, end="")
    if done.returncode == 77:
        skip(done.stdout.partition("SKIPPED: ")[2].strip())
    if done.returncode:
        fail(f"{program} failed ({done.returncode}):\n{done.stderr[-2000:]}")
    steps = [(float(t) - start, what) for t, what in re.findall(r"^([\d.]+) (\w+)$", done.stdout, re.M)]
    if [what for _, what in steps] != ["menu"] * 10 + ["low", "high", "music"]:
        fail(f"{program} played {steps}")
    heard = {name: onsets(rec, hz) for name, (hz, _) in TONES.items()}
    started = {what: t for t, what in steps}  # the last play of each

    def onset(name, after):
        return next((t for t in heard[name] if t >= after - EARLY), 1e9)

    # The menu plays are 2.2 s apart: the first onset after a play that is heard is its own.
    if missed := [n + 1 for n, (t, _) in enumerate(steps[:10]) if onset("menu", t) > t + 2]:
        fail(f"menu sound, plays {missed} of 10 not heard within 2 s")
    switch, low, high = started["high"], band(rec, TONES["low"][0]), band(rec, TONES["high"][0])
    high_at = onset("high", switch)
    over = (high_at + 0.1, high_at + 0.4)  # while the high effect sounds
    if high_at > switch + 2 or level(low, switch - 0.3, switch - 0.1) < 0.1 or level(high, *over) < 0.1:
        fail("the two effects were not both heard")
    if level(low, *over) > 0.1 * level(high, *over):
        fail("the previous effect sounds on under the new one")
    # The music's 1 s tone at its full level (0.5) through each 100 ms of the 5 s after its start:
    # a gap of 20 ms in a block takes it below 0.4.
    music_at, music = onset("music", started["music"]), band(rec, TONES["music"][0])
    if min(levels := [level(music, music_at + b / 10, music_at + (b + 1) / 10) for b in range(50)]) < 0.4:
        fail(f"the music did not run on without a gap; its level each 100 ms from its start: {' '.join(f'{v:.2f}' for v in levels)}")


run(check)
