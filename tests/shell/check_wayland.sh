#!/usr/bin/env bash
# The game on a real Wayland compositor: weston's headless backend (1920x1080, pixman
# renderer, its desktop shell) and Qt's Wayland platform. There is no display mode to switch:
# the menu opens as a full-screen window of the output's size, the scene drawn at twice its
# size and centred (weston's own screenshot). The headless backend has no input seat; real
# input on Wayland is check_wayland_input.sh's, through weston's X11 backend.
# Usage: check_wayland.sh BUILD_DIR
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/session_lib.sh" "${1:?build folder}"
for tool in weston weston-screenshooter convert; do command -v $tool >/dev/null || skip "$tool is missing"; done
ls /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 \
  || skip "Qt's Wayland platform (qt6-wayland) is missing"

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=kvz-wayland
unset DISPLAY
# --debug lets the screenshot client in.
start_background "$work/weston.log" weston --backend=headless-backend.so --use-pixman --debug \
  --width=1920 --height=1080 --socket="$WAYLAND_DISPLAY" --idle-time=0
wait_until 20 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
  skip "no Wayland server: weston did not start ($(tail -n 1 "$work/weston.log"))"

QT_QPA_PLATFORM=wayland start_game
if wait_until 30 painted frmIntro 1920x1080; then
  pass "the menu opens full screen on the 1920x1080 output"
  sleep 1
  (cd "$work" && weston-screenshooter >/dev/null 2>&1)
  shot=$(ls "$work"/wayland-screenshot-*.png 2>/dev/null | head -1)
  if [ -n "$shot" ]; then
    mv "$shot" "$work/menu.png"
    check "the scene is drawn at 2x, centred on black" notice_in_place menu 2 320 60
  else
    fail "weston took no screenshot"
  fi
else
  fail "no menu painted at 1920x1080 ($(grep -v '^$' "$work/game.log" | tail -3 | tr '\n' ' '))"
fi
stop_game

finish
