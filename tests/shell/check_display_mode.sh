#!/usr/bin/env bash
# The display mode on a real X server: Xorg with the dummy video driver offers 1024x768 (at
# 60 and 75 Hz) and 640x480 and switches between them as a monitor would (Xvfb cannot
# switch). Without a window manager: the game takes the screen to 640x480 while it runs and
# gives back 1024x768 at the rate found at start after the exit button, after SIGTERM and
# after the game window's close message; "no_fullscreen" leaves the screen alone; three
# games switch once and restore once; with two monitors nothing is switched. Under openbox
# and xfwm4: frameless windows at the screen's corner after the switch (the menu's pixels at
# their layout places), a click on "nová hra" opens the game window over the whole screen,
# the rules screen's OK answers at its place, and "no_fullscreen" is a decorated 640x480
# window. Real clicks and keys (xdotool); every wait polls with a time-out.
# Usage: check_display_mode.sh BUILD_DIR
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/session_lib.sh" "${1:?build folder}"
[ "$(id -u)" -eq 0 ] || skip "Xorg with the dummy driver needs root"
for tool in Xorg xrandr xdotool xprop xwininfo import convert openbox xfwm4; do
  command -v $tool >/dev/null || skip "$tool is missing"
done
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || skip "the dummy video driver is missing"

cat > "$work/xorg.conf" <<'CONF'
Section "Monitor"
  Identifier "Monitor0"
  HorizSync 28.0-80.0
  VertRefresh 48.0-75.0
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
  Modeline "1024x768_75" 78.75 1024 1040 1136 1312 768 769 772 800 +hsync +vsync
  Modeline "640x480" 25.18 640 656 752 800 480 490 492 525 -hsync -vsync
EndSection
Section "Device"
  Identifier "Card0"
  Driver "dummy"
  VideoRam 16384
EndSection
Section "Screen"
  Identifier "Screen0"
  Device "Card0"
  Monitor "Monitor0"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1024x768" "1024x768_75" "640x480"
    Virtual 1024 768
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
CONF

[ -x "$build/tests/kvz_xrandr_helper" ] || { echo "FAIL: the helper kvz_xrandr_helper is not built"; exit 1; }
ln -s "$build/tests/kvz_xrandr_helper" "$work/xhelper"
start_x_server Xorg -config "$work/xorg.conf" -noreset -logfile "$work/xorg.log"

# The current size and rate as "1024x768@75".
screen_mode() {
  local size rate
  size=$(xrandr -q 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\).*/\1x\2/p')
  rate=$(xrandr -q 2>/dev/null | grep -o '[0-9.]*\*' | head -1 | tr -d '*')
  printf '%s@%.0f\n' "$size" "${rate:-0}"
}
screen_size() { screen_mode | cut -d@ -f1; }
screen_is() { [ "$(screen_size)" = "$1" ]; }
mode_is() { [ "$(screen_mode)" = "$1" ]; }
set_mode() { xrandr -s "${1%@*}" -r "${1#*@}" >/dev/null 2>&1; wait_until 10 mode_is "$1"; }
expect_screen() {  # size or size@rate, what
  local now
  if [[ $1 == *@* ]]; then wait_until 10 mode_is "$1"; now=$(screen_mode); else wait_until 10 screen_is "$1"; now=$(screen_size); fi
  [ "$now" = "$1" ] && pass "$2: screen $1" || fail "$2: screen $now, expected $1"
}
# The game's window of this size at this place, as "id", or nothing.
window_at() { windows | awk -v g="$1" '$2 "x" $3 "+" $4 "+" $5 == g { print $1 }' | head -1; }
has_window_at() { [ -n "$(window_at "$1")" ]; }
answer_box() {  # the Enter key on the message box (its default button) once a second window shows
  wait_until 20 has_window_count 2 || { fail "no message box ($1)"; return 1; }
  sleep 0.3
  xdotool key Return
}
menu_up() {  # what: the menu painted over the whole switched screen
  if wait_until 30 painted frmIntro && wait_until 10 has_window_at 640x480+0+0; then
    pass "$1: menu over the whole 640x480 screen"
  else
    fail "$1: no menu at 640x480+0+0 ($(windows | tr '\n' ';'))"; return 1
  fi
}
NOVA=(145 129)
PRAV=(183 209)
KONEC=(340 361)
OK=(320 455)

echo "== exit button: back to the mode and rate found at start =="
set_mode 1024x768@75
start_game && menu_up "exit button" && {
  expect_screen 640x480 "menu shown"
  click_at "${KONEC[@]}"
  answer_box "farewell"
  wait_end "exit button"
  expect_screen 1024x768@75 "after the exit button"
}
set_mode 1024x768@60

echo "== SIGTERM =="
start_game && menu_up "SIGTERM" && { stop_game; expect_screen 1024x768@60 "after SIGTERM"; }

echo "== game window closed by the window manager's close message =="
start_game && menu_up "close message" && {
  click_at "${NOVA[@]}"
  if wait_until 30 painted frmMain 640x480; then
    pass "game window open"
    "$work/xhelper" close "$(window_at 640x480+0+0)"
    wait_end "close message"
    expect_screen 1024x768 "after closing the game window"
  else
    fail "the game window did not open"
  fi
}

echo "== no_fullscreen =="
start_game no_fullscreen && {
  wait_until 30 painted frmIntro 640x480 && pass "no_fullscreen: a 640x480 window" || fail "no_fullscreen: no window"
  wait_until 10 has_window_at 640x480+0+0 && pass "no_fullscreen: menu at the top-left corner" \
    || fail "no_fullscreen: menu at $(windows)"
  screen_is 1024x768 && pass "no_fullscreen: screen kept at 1024x768" || fail "no_fullscreen: screen $(screen_size)"
  click_at "${KONEC[@]}"
  answer_box "farewell with no_fullscreen"
  wait_end "no_fullscreen exit"
  expect_screen 1024x768 "no_fullscreen after exit"
}

echo "== two monitors: nothing switched =="
xrandr --setmonitor kvz-left 512/135x768/203+0+0 none >/dev/null 2>&1 &&
  xrandr --setmonitor kvz-right 512/135x768/203+512+0 none >/dev/null 2>&1 || fail "cannot define two monitors"
start_game && {
  wait_until 30 painted frmIntro || fail "two monitors: no menu"
  screen_is 1024x768 && pass "two monitors: screen kept" || fail "two monitors: screen $(screen_size)"
  stop_game
  expect_screen 1024x768@60 "two monitors, after the end"
}
xrandr --delmonitor kvz-left >/dev/null 2>&1; xrandr --delmonitor kvz-right >/dev/null 2>&1

echo "== three games in a row =="
start_background "$work/watch.log" "$work/xhelper" watch
wait_until 10 grep -q ready "$work/watch.log"
start_game && menu_up "three games" && {
  for round in 1 2 3; do
    : >"$work/game.log"
    click_at "${NOVA[@]}"
    wait_until 30 painted frmMain || { fail "game $round did not open"; break; }
    # Esc is taken once the question's answers are shown; press it until the box asks.
    for _ in $(seq 40); do
      xdotool key Escape
      wait_until 1 has_window_count 2 && break
    done
    answer_box "quit question, game $round"  # Enter: the default answer, yes
    wait_until 30 painted frmIntro || { fail "the menu did not come back after game $round"; break; }
    screen_is 640x480 && pass "back in the menu after game $round at 640x480" || fail "after game $round: $(screen_size)"
  done
  click_at "${KONEC[@]}"
  answer_box "farewell after three games"
  wait_end "exit after three games"
  expect_screen 1024x768 "after three games and the exit button"
  sleep 0.5
  # Repeated reports of one change fold into one; the sizes the screen went through:
  changes=$(uniq "$work/watch.log" | grep -v ready | tr '\n' ' ' | sed 's/^1024x768 //; s/ $//')
  [ "$changes" = "640x480 1024x768" ] && pass "switched once and restored once" \
    || fail "screen changes during three games: '$changes'"
}

for wm in openbox xfwm4; do
  echo "== under $wm =="
  start_wm "$wm" || { fail "$wm did not start"; continue; }
  start_game && menu_up "$wm" && {
    shoot menu
    check "$wm: the menu's notice at its layout pixels (no frame, no offset)" notice_in_place menu 1 0 0
    click_at "${PRAV[@]}"
    if wait_until 20 painted frmRules 640x480 && wait_until 10 has_window_count 2; then
      click_at "${OK[@]}"
      check "$wm: the rules screen's OK closes it" wait_until 10 has_window_count 1
    else
      fail "$wm: the rules screen did not open"
    fi
    click_at "${NOVA[@]}"
    check "$wm: nová hra opens the game window over the whole screen" \
      eval 'wait_until 30 painted frmMain 640x480 && wait_until 10 has_window_at 640x480+0+0'
    stop_game
    expect_screen 1024x768 "$wm: after the end"
  }
  start_game no_fullscreen && {
    wait_until 30 painted frmIntro 640x480 && wait_until 10 has_window_count 1
    # Decorated: the window manager's frame around the client is taller than it (a title bar).
    id=$(windows | awk '{ print $1 }' | head -1)
    frame=$(xwininfo -children -id "$id" 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    frame_height=$(xwininfo -id "$frame" 2>/dev/null | sed -n 's/.*Height: //p')
    [ "${frame_height:-0}" -gt 480 ] && pass "$wm: no_fullscreen is decorated (frame $frame_height high)" \
      || fail "$wm: no_fullscreen frame '${frame_height:-none}'"
    [ "$(windows | awk '{ print $2 "x" $3 }')" = 640x480 ] && pass "$wm: no_fullscreen client area 640x480" \
      || fail "$wm: no_fullscreen client $(windows)"
    stop_game
  }
  stop_wm
done

finish
