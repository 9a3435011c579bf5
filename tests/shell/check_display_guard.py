# The display's guard on a screen that switches (Xorg with the dummy driver). However the game dies after
# the switch (SIGKILL, SIGSEGV, SIGABRT), the mode found at start, rate and all, is back within 2 s; after
# three games and the exit button the screen has switched once and gone back once, to the mode found at
# start, rate and all, and the guard ends; a mode the player chose while the game ran is left alone. The
# guard holds no terminal (a session of its own, /dev/null for 0 to 2, nothing of the game's but its
# socket) and ends with the X server.
import os, re, resource, signal  # noqa: E401
import display_checks as d


def menu_switched(s):
    # The game's menu on the switched screen; the guard's process id.
    d.menu_shown(s, mode="640x480@60")
    return s.until(lambda: s.out("pgrep", "-P", str(s.game.pid), "-x", "kvizarion-guard").split(), 5,
                   "the guard beside the game")[0]


def guard_ends(s, guard, what):
    s.until(lambda: not os.path.exists(f"/proc/{guard}") or open(f"/proc/{guard}/stat").read().split()[2] == "Z",
            10, f"the guard's end {what}")


def check(s):
    server = d.start_xorg(s)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))  # a crash then closes its socket at once
    for sig in (signal.SIGKILL, signal.SIGSEGV, signal.SIGABRT):
        d.set_mode(s, "1024x768@75")
        guard = menu_switched(s)
        # While GStreamer loads a plugin its own trap takes SIGSEGV and exits its way (once seen to take over 2 s).
        s.until(lambda: not int(re.search(r"SigCgt:\s*(\w+)", open(f"/proc/{s.game.pid}/status").read())[1], 16)
                & 1 << sig - 1, 10, f"{sig.name} not caught by the game")
        os.kill(s.game.pid, sig)
        s.game = None
        d.expect_mode(s, "1024x768@75", f"{sig.name}: the mode found at start", timeout=2)
        guard_ends(s, guard, f"after {sig.name}")

    guard = menu_switched(s)
    fds = sorted(os.readlink(f"/proc/{guard}/fd/{fd}").split(":")[0] for fd in os.listdir(f"/proc/{guard}/fd"))
    if fds != ["/dev/null"] * 3 + ["socket"] * 2:  # 0 to 2, the socket to the game, its X connection
        d.k.fail(f"the guard holds {fds}")
    if os.getsid(int(guard)) != int(guard) or open(f"/proc/{guard}/stat").read().split()[6] != "0":
        d.k.fail("the guard does not lead a session of its own, without a terminal")
    d.set_mode(s, "800x600@60")
    os.kill(s.game.pid, signal.SIGKILL)
    s.game = None
    guard_ends(s, guard, "after the kill")
    d.expect_mode(s, "800x600@60", "the player's own mode kept")

    d.set_mode(s, "1024x768@75")
    changes = d.watch_changes(s)
    guard, menu = menu_switched(s), s.log("painted frmIntro")[0][0]
    for _ in range(3):
        s.click("frmIntro", "imgNova")
        game = d.answers_shown(s, after=menu)
        s.key("Escape")
        d.answer_box(s)  # the quit question's default answer: yes
        menu = s.wait_log("painted frmIntro", 30, game)
        d.expect_mode(s, "640x480@60", "back in the menu")
    s.click("frmIntro", "imgKonec")
    d.answer_box(s)  # the farewell
    d.game_ends(s)
    guard_ends(s, guard, "with the game")
    d.expect_mode(s, "1024x768@75", "after three games and the exit button")
    s.until(lambda: changes() == "640x480 1024x768", 10, "three games and the exit button: switched once, restored once")

    guard = menu_switched(s)
    game, s.game = s.game, None
    s.end(server)
    guard_ends(s, guard, "with the X server")
    s.until(lambda: game.poll() is not None, 10, "the game's end with the X server")


d.k.run(check)
