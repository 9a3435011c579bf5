# The game window as a player sees it, and the first game of the whole-program checks played on
# it: the five questions answered right by their letter keys, with F5 at question 1, F7 at
# question 2 and F6 at question 3, the 10 000 Kč plate, back to the menu. Each screen the game
# shows is checked by its pixels; the timelines' times are the virtual-clock unit tests', so a
# few long waits are measured here on the real clock..
import os, re, sys  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from kvz_check import colour, fail, near  # noqa: E402

QUESTIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "questions.txt")


def middle(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


class Game:
    def __init__(self, s):
        self.s, self.fb, self.d = s, s.fb, s.layout["durations"]
        main = lambda name: s.place("frmMain", name)  # noqa: E731
        self.texts = [main(n) for n in ("lblZadani", "lblA", "lblB", "lblC", "lblD")]
        # A plate's colour is read between its text's end and its own right edge.
        self.plates = [(main(t)[0] + main(t)[2] + (main(p)[0] + main(p)[2] - main(t)[0] - main(t)[2]) // 2, middle(main(t))[1])
                       for t, p in (("lblA", "imgA"), ("lblB", "imgB"), ("lblC", "imgC"), ("lblD", "imgD"))]
        # The black backdrop of the winnings and of the menu covers the question plate's left end.
        self.backdrop = (main("lblZadani")[0] // 2, middle(main("lblZadani"))[1])
        notice = s.place("frmIntro", "Label1")
        self.notice = (notice[0] + 2, middle(notice)[1])
        self.bars = [main(b) for b in ("colNDivA", "colNDivB", "colNDivC", "colNDivD")]

    # "QABCD pppp": whether the question and the answers A-D show white text (1/0), and each
    # answer plate's colour: b blue, o orange, g green, ? other; "W" the winnings; "M" the menu.
    def state(self):
        if sum(self.fb.pixel(*self.backdrop)) < 30:
            r, g, b = self.fb.pixel(*self.notice)
            return "M" if r > 150 and g < 40 and b < 40 else "W"
        return "".join("1" if self.fb.shows_white(t) else "0" for t in self.texts) + " " + \
            "".join(colour(*self.fb.pixel(*p)) for p in self.plates)

    def wait(self, want, timeout, what):
        return self.s.state(self.state, want, timeout, what)

    def menu(self, timeout):
        return self.wait("M", timeout, "the start menu")[0]

    def new_game(self):
        self.s.click("frmIntro", "imgNova")

    # Which ladder row and bar heights are shown is the unit tests' (GameReveal, PollGraph): here
    # the winnings plate stands for the pictures on a real screen.
    def reveal(self, level):
        self.wait("1.... .*", 40, f"question {level} shown")
        self.wait("11111 bbbb", 6, f"the four answers of question {level}")

    # A letter pressed: the pick orange, the right plate green after the suspense, then the
    # winnings plate of the level. texts: the answers shown (after fifty-fifty two are gone).
    def answer_right(self, level, letter, key, texts="11111"):
        self.key_times[level] = self.s.key(key)
        for c, limit in (("o", 2), ("g", self.d["suspense"][level - 1] / 1000 + 4)):
            plates = texts + " " + "".join(c if x == letter else "b" for x in "ABCD")
            self.wait(plates, limit, f"plate {letter} {c} at question {level}")
        self.wait("W", 4, f"the winnings of question {level}")
        self.winnings(level)

    def winnings(self, level):
        self.s.shows(self.s.place("frmMain", "imgVyhra"), self.s.drawn(1, f"C0{level}"), f"the winnings plate C0{level}")

    # Fifty-fifty: the first change seen already has two answers gone, the right one kept.
    def fifty_fifty(self, right):
        self.t_5050 = self.s.key("F5")
        texts = self.wait("1(0...|10..|110.|1110) bbbb", 2, "answers gone after F5")[1][:5]
        if texts.count("1") != 3 or texts[1 + "ABCD".index(right)] != "1":
            fail(f"F5 left the texts {texts}, expected the question, the right answer {right} and one other")
        return texts

    # The audience graph on the row just above the bars' foot: r a red bar, g the logo (gold),
    # e the empty graph (dark blue), k black (the call's square), ? other.
    def graph(self):
        return "".join("r" if r > 200 and g < 60 and b < 60 else "g" if r > 150 and g > 120 and b < 90 else "k" if r + g + b < 30
                       else "e" if b > r and b > g and b < 120 else "?"
                       for r, g, b in (self.fb.pixel(x + w // 2, y + h - 3) for x, y, w, h in self.bars))

    # The poll: the empty graph, then the bars on time, the game back.
    def poll(self):
        self.t_poll = self.s.key("F7")
        self.s.state(self.graph, "eeee", 12, "the empty audience graph")
        near("the audience bars", self.s.state(self.graph, "r...", 20, "the audience bars")[0] - self.t_poll, self.d["poll_bars"])
        self.s.wait_log("poll return", 3, after=self.t_poll)

    # The call: the black square over the logo at the pick-up, the countdown video moving over
    # the logo, the game back when the call ends (the transcript's text is PhoneCall's, on the
    # virtual clock).
    def phone(self):
        self.t_phone = self.s.key("F6")
        near("the call's pick-up", self.s.state(self.graph, "kkkk", 6, "the call's black square")[0] - self.t_phone,
             self.d["call_pick_up"])
        x, y = middle(self.s.place("frmMain", "imgLogo"))
        video = (x - 60, y - 60, 120, 120)
        first = self.s.until(lambda: sum(map(max, self.fb.pixels(video))) > 60 * 100 and self.fb.pixels(video), 3,
                             "the countdown video over the logo")
        self.s.until(lambda: self.fb.pixels(video) != first, 2, "the countdown video moving")
        self.wait("11111 bbbb", 35, "the game screen after the call")
        self.s.wait_log("call return", 3, after=self.t_phone)

    def box(self, shown):
        self.s.until(lambda: self.s.runs("xdotool", "search", "--onlyvisible", "--name", "^potvrzení$") == shown, 5,
                     f"the quit confirmation {'open' if shown else 'closed'}")

    # Game 1, from the menu to the menu.
    def play_top_game(self):
        self.key_times = {}
        self.new_game()
        for level in range(1, 6):
            self.reveal(level)
            letter = question(level)["Spravna"]
            texts = self.fifty_fifty(letter) if level == 1 else "11111"
            if level == 2:
                self.poll()
            elif level == 3:
                self.phone()
            self.answer_right(level, letter, letter if level == 3 else letter.lower(), texts)  # a capital: Shift works too
        self.t_menu = self.menu(15)


def at_menu(s, record=None, **game):
    # The game started on a screen and a sound server of the session's own (its sound recorded
    # at the given rate and channels), seen at its start menu.
    s.start_x()
    s.start_pulse()
    if record:
        s.start_recording(*record)
    s.start_game("no_fullscreen", **game)
    g = Game(s)
    g.menu(60)
    return g


# The fields of the question of a level in the check's question source.
def question(level):
    text = open(QUESTIONS, encoding="utf-8").read()
    block = re.search(rf"\[0{level}-\d+\]\n(.*?)(\n\n|$)", text, re.S).group(1)
    return dict(line.split(": ", 1) for line in block.splitlines())

