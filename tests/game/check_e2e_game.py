# Two games played in a real window, as a player would: the first of play.py, then Esc
# answered No and a wrong answer. An X server of its own, real key and mouse events, real sound
# into a null sink recorded from its monitor. A quit answered Yes is shell/check_display_guard.py's. The timelines
# themselves are the unit tests' (virtual clock); here is what only a real run shows: the
# pictures on screen, the sounds heard and when, the real clock's timing of the long lifelines.
# Every sound is a test tone of its own frequency, told apart in the recording.
#
# Usage: check_e2e_game.py BUILD_DIR.
import os, subprocess  # noqa: E401

from play import QUESTIONS, at_menu  # noqa: E402
from kvz_check import fail, need, onsets, run  # noqa: E402

# Each sound's tone (Hz), far enough apart to be told apart; the music quiet and longer than any
# stretch it plays, the menu sound silent.
TONES = {"bgm": 300, "tel": 700, "w": 1100, "50-50": 1500, "r": 1900, "div": 2300, "pt": 2700, "tel-end": 3100}
RATE, SOUND_TOL = 8000, 0.25


def test_tones(snd):
    for name, make in [(n, ["synth", "90" if n == "bgm" else "0.8", "sine", str(hz), "vol", "0.3" if n == "bgm" else "0.6"])
                       for n, hz in TONES.items()] + [("lights", ["trim", "0", "1"])]:
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", f"{snd}/{name}.wav", *make], check=True)


def check(s):
    need("sox", "convert")
    test_tones(os.path.join(s.game_dir(QUESTIONS), "snd"))
    g = at_menu(s, (RATE, 1))
    g.play_top_game()
    # A new game left with Esc at its first question: the quit confirmation opens; answered No in
    # the box with Esc, it leaves the question as it was; then a wrong answer.
    g.new_game()
    g.reveal(1)
    s.key("Escape")
    g.box(True)
    s.key("Escape")
    g.box(False)
    if g.state() != "11111 bbbb":
        fail(f"answering No to the quit confirmation changed the screen to {g.state()}")
    # Which plates turn orange and green at a wrong pick is the unit tests' (virtual clock).
    wrong = s.key("a")
    # Shown after the suspense and the wrong answer's pause, 5 s in all: a window of exactly that lost the race.
    g.wait("W", (g.d["suspense"][0] + g.d["after_wrong"]) / 1000 + 2, "the winnings after the wrong answer")
    g.winnings(0)
    g.menu(8)

    start = s.stop_recording()
    heard = {name: onsets(s.path("rec.wav"), hz) for name, hz in TONES.items()}
    # The music starts at each game's first question, after the poll and after the call.
    for name, count in {"r": 4, "pt": 1, "w": 1, "50-50": 1, "div": 1, "tel": 1, "tel-end": 1, "bgm": 4}.items():
        if len(heard[name]) != count:
            fail(f"the sound {name}.wav played {len(heard[name])} times, expected {count}")

    def expect(name, cause, delay_ms):
        at = min(heard[name], key=lambda t: abs(t - (cause - start + delay_ms / 1000)))
        if abs(at + start - cause - delay_ms / 1000) > SOUND_TOL:
            fail(f"{name}.wav starts {(at + start - cause) * 1000:.0f} ms after its cause, expected {delay_ms} ms")

    for level in range(1, 5):
        expect("r", g.key_times[level], g.d["suspense"][level - 1])
    expect("pt", g.key_times[5], g.d["suspense"][4])
    expect("w", wrong, g.d["suspense"][0])
    expect("50-50", g.t_5050, 0)
    expect("div", g.t_poll, 0)
    expect("tel", g.t_phone, 0)
    expect("tel-end", s.log("call end")[-1][0], 0)
    expect("bgm", s.log("poll return")[-1][0], 0)
    expect("bgm", s.log("call return")[-1][0], 0)


run(check)
