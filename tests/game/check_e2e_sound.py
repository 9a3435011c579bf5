# The game's own sounds heard through a whole game: the real program under Xvfb with the generated
# sounds (no test tones), a PulseAudio null sink recorded at 48 kHz stereo, the first game of
# play.py (all three lifelines and the top prize). Checked in the recording, from the music of
# the first question to the menu back:
# - no stretch of more than 1.5 s without sound (each named with the last step of the game before it);
# - the poll's closing cue within 150 ms of the bars being drawn (from the timing log);
# - each effect's loudness, over the time it played, within 1.5 LU of its target, and the
#   music's where it plays alone.
#
# Usage: check_e2e_sound.py BUILD_DIR. Needs the build's tools/kvz_soundmeter besides the session's tools.
import os, subprocess, wave  # noqa: E401

from play import QUESTIONS, at_menu
from kvz_check import fail, run, skip

EFFECT_LUFS, MUSIC_LUFS, LOUDNESS_TOL, CUE_TOL = -16, -23, 1.5, 0.15
QUIET_DB, LONGEST_QUIET = -50, 1.5


def check(s):
    meter = os.path.join(s.build, "tools", "kvz_soundmeter")
    if not os.access(meter, os.X_OK):
        skip(f"no {meter}: build the target kvz_soundmeter")
    snd = os.path.join(s.game_dir(QUESTIONS), "snd")
    g = at_menu(s, (48000, 2))
    g.play_top_game()
    start = s.stop_recording()
    measure = lambda *args: subprocess.run([meter, s.path("rec.wav"), *map(str, args)], capture_output=True, text=True).stdout.split()  # noqa: E731
    faults = []

    quiet = measure("quiet", QUIET_DB, LONGEST_QUIET)
    for a, b in zip(map(float, quiet[::2]), map(float, quiet[1::2])):
        if b > s.log("music play")[0][0] - start and a < g.t_menu - start:
            step = [w for t, w in s.log() if t <= a + start and not w.startswith(("painted", "tick tmrNTel2", "video"))]
            faults.append(f"{a:7.2f}-{b:7.2f} s ({b - a:.2f} s) without sound after \"{step[-1] if step else ''}\"")

    # The poll's closing cue: the handler that shows the bars logs "poll result"; Qt paints them
    # in the same turn of the event loop.
    bars = s.log("poll result")[-1][0] - start
    cue = measure("onset", bars - 1, bars + 1)
    if not cue or abs(float(cue[0]) - bars) > CUE_TOL:
        faults.append(f"the poll's closing cue is not within {CUE_TOL * 1000:.0f} ms of the bars")

    # Every play of the effect player from its play until the next play or stop, at most the file's length.
    played, file = [], None
    for t, what in s.log("effects"):
        if played and played[-1][2] is None and what.split()[1] in ("play", "stop"):
            played[-1][2] = t
        if what.startswith("effects set file"):
            file = os.path.basename(what.split()[-1])
        elif what == "effects play":
            played.append([file, t, None])
    for file, t, until in played:
        with wave.open(os.path.join(snd, file)) as w:
            length = w.getnframes() / w.getframerate()
        a = t - start
        lufs = float(measure("loudness", a, min(a + length, (until or t + length) - start))[0])
        if abs(lufs - EFFECT_LUFS) > LOUDNESS_TOL:
            faults.append(f"{file} at {a:.2f} s is {lufs:.1f} LUFS, not {EFFECT_LUFS}")

    # The music alone, from half a second after it starts at question 1 (its player starts late)
    # to the first effect: it lies 7 LU under the effects.
    m0 = s.log("music play")[0][0] + 0.5
    m1 = next(t for t, _ in s.log("effects play") if t > m0)
    lufs = float(measure("loudness", m0 - start, m1 - start)[0])
    if abs(lufs - MUSIC_LUFS) > LOUDNESS_TOL:
        faults.append(f"the music alone is {lufs} LUFS, not {MUSIC_LUFS}")
    if faults:
        fail(f"{len(faults)} faults in the sound of the game:\n" + "\n".join(faults))


run(check)
