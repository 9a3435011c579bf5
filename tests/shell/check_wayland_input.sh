#!/usr/bin/env bash
# Real input to the game on a Wayland compositor: weston's X11 backend nested in Xvfb (pixman
# renderer, one 1920x1080 output in an X window at the screen's corner, its desktop shell) and
# the game on Qt's Wayland platform inside it. xdotool's pointer and keys on weston's X window
# reach weston's seat and from it the game, as a player's would: a click on the scaled "nová
# hra" starts a game, and once the question's input is open (the timing log says when) the key
# A picks: its plate turns orange on the screen and the verdict's timer follows.
# Usage: check_wayland_input.sh BUILD_DIR
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/session_lib.sh" "${1:?build folder}"
for tool in Xvfb weston xdotool xprop import convert; do command -v $tool >/dev/null || skip "$tool is missing"; done
ls /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 \
  || skip "Qt's Wayland platform (qt6-wayland) is missing"

start_x_server Xvfb -screen 0 1920x1080x24
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=kvz-wayland-input
start_background "$work/weston.log" weston --backend=x11-backend.so --use-pixman --width=1920 --height=1080 \
  --socket="$WAYLAND_DISPLAY" --idle-time=0 --no-config
wait_until 20 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
  skip "no Wayland server: weston did not start ($(tail -n 1 "$work/weston.log"))"

# The scene at 2 x 2 on the 1920x1080 output: 1280x960 from (320, 60); weston's window lies at
# the X screen's corner, so output pixels are screen pixels.
S=2; X0=320; Y0=60
at() { echo $((X0 + S * $1)) $((Y0 + S * $2)); }
# Answer plate A right of its text (scene 300, 410): blue until picked, orange once picked.
plate_a_is() {  # blue|orange
  shoot game
  pixel game $(at 300 410) | awk -F, -v want="$1" '{
    orange = $1 > 120 && $2 < $1 && $3 < 60; blue = $3 > $1 && $3 > $2
    exit !(want == "orange" ? orange : blue) }'
}

QT_QPA_PLATFORM=wayland start_game
if wait_until 30 painted frmIntro 1920x1080; then
  sleep 0.5
  click_at $(at 145 129)  # nová hra
  if wait_until 30 painted frmMain 1920x1080; then
    pass "a click on the scaled nová hra starts a game"
    if wait_until 20 input_open && wait_until 5 plate_a_is blue; then
      xdotool key a
      check "the key A picks: plate A turns orange" wait_until 5 plate_a_is orange
      check "the key A picks: the verdict's timer ticks" wait_until 10 grep -q "tick tmrZvuk" "$work/game.log"
    else
      fail "the first question's input did not open with plate A blue (pixel $(pixel game $(at 300 410)))"
    fi
  else
    fail "the click on the scaled nová hra started no game"
  fi
else
  fail "no menu painted at 1920x1080 ($(grep -v '^$' "$work/game.log" | tail -3 | tr '\n' ' '))"
fi
stop_game

finish
