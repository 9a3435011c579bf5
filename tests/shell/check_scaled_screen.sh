#!/usr/bin/env bash
# The scaled full screen on a large screen that cannot switch: Xvfb at 1920x1080 (RandR
# without a 640x480 mode) under openbox. The menu fills the screen, the scene drawn at twice
# its size and centred (its notice strip at its layout pixels times 2 plus the border); a
# click on the scaled "nová hra" opens the game window, full screen too; the answer plate's
# pixels are squares of 2 x 2 (sharp, no smoothing); an information box (F10) comes up over
# the scene at the scale. Real clicks and keys (xdotool).
# Usage: check_scaled_screen.sh BUILD_DIR
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/session_lib.sh" "${1:?build folder}"
for tool in Xvfb openbox xdotool xprop import convert python3; do command -v $tool >/dev/null || skip "$tool is missing"; done

start_x_server Xvfb -screen 0 1920x1080x24
start_wm openbox || { echo "openbox did not start"; exit 1; }

# The scene at 2 x 2 on 1920x1080: 1280x960 from (320, 60).
S=2; X0=320; Y0=60
at() { echo $((X0 + S * $1)) $((Y0 + S * $2)); }

# Pixels of an area of a screenshot that are not part of a uniform 2 x 2 square of the scene.
unsharp_pixels() {  # shot x y width height (on the screen; the square grid starts at x, y)
  convert "$work/$1.png" -crop "$4x$5+$2+$3" -depth 8 rgb:- | python3 -c '
import sys
w, h = int(sys.argv[1]), int(sys.argv[2])
data = sys.stdin.buffer.read()
px = lambda x, y: data[3 * (y * w + x):3 * (y * w + x) + 3]
bad = 0
for y in range(0, h - 1, 2):
    for x in range(0, w - 1, 2):
        if not (px(x, y) == px(x + 1, y) == px(x, y + 1) == px(x + 1, y + 1)):
            bad += 1
print(bad)' "$4" "$5"
}

start_game
if wait_until 30 painted frmIntro 1920x1080; then
  pass "the menu covers the 1920x1080 screen"
  sleep 0.5
  shoot menu
  check "the scene is drawn at 2x, centred on black (the notice strip at its scaled pixels)" notice_in_place menu $S $X0 $Y0
  check "black around the scene" pixel_is menu $((X0 - 1)) 540 0,0,0
  click_at $(at 145 129)  # nová hra
  if wait_until 30 painted frmMain 1920x1080; then
    pass "a click on the scaled nová hra opens the game window over the screen"
    # The answers are in once the input opens (4 s); F10 then shows the information box.
    sleep 5
    shoot game
    # Plate A left of its text: scene (0..79, 392..428).
    bad=$(unsharp_pixels game $X0 $((Y0 + 2 * 392)) $((2 * 80)) $((2 * 37)))
    [ "$bad" -le 2 ] && pass "the answer plate is sharp ($bad blurred squares of 2960)" \
      || fail "the answer plate is blurred: $bad of 2960 squares are not uniform"
    xdotool key F10
    if wait_until 10 has_window_count 2; then
      geometry=$(windows | awk '$2 != 1920 { print $2 "x" $3 "+" $4 "+" $5 }' | head -1)
      w=${geometry%%x*}
      box_x=$(echo "$geometry" | cut -d+ -f2)
      box_y=$(echo "$geometry" | cut -d+ -f3)
      # Over the scene, and at the scale: wider than any box drawn at 1 x would be.
      [ "$box_x" -ge $X0 ] && [ "$box_y" -ge $Y0 ] && [ "$w" -ge 400 ] \
        && pass "the information box is over the scene, scaled ($geometry)" || fail "the information box at $geometry"
      xdotool key Return
    else
      fail "F10 showed no information box"
    fi
  else
    fail "the click on the scaled nová hra did not open the game"
  fi
else
  fail "no menu painted at 1920x1080 ($(grep painted "$work/game.log"))"
fi
stop_game

finish
