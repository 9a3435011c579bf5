#!/usr/bin/env python3
"""The display's guard on a screen that switches (Xorg with the dummy driver). However the game
dies after the switch (SIGKILL, SIGSEGV, SIGABRT), the mode found at start, rate and all, is back
within 2 s; after the exit button the screen goes back exactly once and the guard ends; a mode
the player chose while the game ran is left alone. The guard holds no terminal (a session of its
own, /dev/null for 0 to 2, nothing of the game's but its socket) and ends with the X server."""
import os
import resource
import signal
import time

import display_checks as d
import kvz_check as k


def menu_switched(s):
    d.start_game(s)
    s.wait_log("painted frmIntro", 30)
    d.expect_mode(s, "640x480@60", "the menu shown")
    return d.guard_of(s)


def check(s):
    server = d.start_xorg(s)
    d.game_dir_with_guard(s)
    # A crash must not wait for a core dump to be written before the socket closes.
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))

    for sig in (signal.SIGKILL, signal.SIGSEGV, signal.SIGABRT):
        d.set_mode(s, "1024x768@75")
        guard = menu_switched(s)
        killed = time.monotonic()
        os.kill(s.game.pid, sig)
        s.game = None
        back = d.expect_mode(s, "1024x768@75", f"{sig.name}: the mode found at start", timeout=2)
        k.note(f"{sig.name}: the mode back {back - killed:.3f} s after the kill")
        s.until(lambda: d.ended(guard), 5, f"{sig.name}: the guard's end")

    d.set_mode(s, "1024x768@60")
    guard = menu_switched(s)
    fds = sorted(os.readlink(f"/proc/{guard}/fd/{fd}").split(":")[0] for fd in os.listdir(f"/proc/{guard}/fd"))
    # Descriptors 0 to 2 on /dev/null, the socket to the game and its own X connection.
    if fds != ["/dev/null"] * 3 + ["socket"] * 2:
        k.fail(f"the guard holds {fds}")
    if os.getsid(int(guard)) != int(guard) or open(f"/proc/{guard}/stat").read().split()[6] != "0":
        k.fail("the guard does not lead a session of its own without a terminal")
    d.set_mode(s, "800x600@60")
    os.kill(s.game.pid, signal.SIGKILL)
    s.game = None
    s.until(lambda: d.ended(guard), 5, "the guard's end after the kill")
    d.expect_mode(s, "800x600@60", "the player's own mode kept")

    d.set_mode(s, "1024x768@60")
    changes = d.watch_changes(s)
    guard = menu_switched(s)
    s.click("frmIntro", "imgKonec")
    d.answer_box(s)
    d.game_ends(s)
    s.until(lambda: d.ended(guard), 5, "the guard's end with the game")
    d.expect_mode(s, "1024x768@60", "after the exit button")
    s.until(lambda: changes() == "640x480 1024x768", 5, "switched once and restored once")

    guard = menu_switched(s)
    game = s.game
    s.game = None
    s.end(server)
    s.until(lambda: d.ended(guard), 10, "the guard's end with the X server")
    s.until(lambda: game.poll() is not None, 10, "the game's end with the X server")


if __name__ == "__main__":
    k.run(check)
