#!/usr/bin/env bash
# The display mode on a real X server: Xorg with the dummy video driver offers 1024x768 and
# 640x480 and switches between them as a monitor would (Xvfb cannot switch). Checks that the
# game takes the screen to 640x480 while it runs and gives back 1024x768 after the exit
# button, after SIGTERM and after the game window is closed by the window manager's close
# message; that "no_fullscreen" leaves the screen alone; and that three games in a row switch
# once and restore once. Real clicks and keys (xdotool); every wait polls with a time-out.
# Usage: check_display_mode.sh BUILD_DIR
set -uo pipefail

build=$(cd "${1:?build folder}" && pwd)
game="$build/kvizarion"
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIPPED: $*"; exit 0; }
[ -x "$game" ] || { echo "no $game"; exit 1; }
[ "$(id -u)" -eq 0 ] || skip "Xorg with the dummy driver needs root"
for tool in Xorg xrandr xdotool c++; do command -v $tool >/dev/null || skip "$tool is missing"; done
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || skip "the dummy video driver is missing"

work=$(mktemp -d /tmp/kvz-display.XXXXXX)
xorg_pid=""
game_pid=""
watch_pid=""
cleanup() {
  for pid in $game_pid $watch_pid $xorg_pid; do kill "$pid" 2>/dev/null; done
  for pid in $game_pid $watch_pid $xorg_pid; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# wait_until SECONDS COMMAND...: polls every 0.1 s; false when time runs out.
wait_until() {
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# A free display number from 17 on.
num=17
while [ -e "/tmp/.X$num-lock" ] || [ -e "/tmp/.X11-unix/X$num" ]; do num=$((num + 1)); done
export DISPLAY=":$num"

cat > "$work/xorg.conf" <<'CONF'
Section "Monitor"
  Identifier "Monitor0"
  HorizSync 28.0-80.0
  VertRefresh 48.0-75.0
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
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
    Modes "1024x768" "640x480"
    Virtual 1024 768
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
CONF

c++ -O1 -o "$work/xhelper" "$here/xrandr_helper.cc" -lX11 -lXrandr || { echo "cannot build the helper"; exit 1; }

Xorg "$DISPLAY" -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" >"$work/xorg.out" 2>&1 &
xorg_pid=$!
wait_until 30 xrandr -q >/dev/null 2>&1 || { cat "$work/xorg.out"; echo "Xorg did not start"; exit 1; }

screen_size() { xrandr -q 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\).*/\1x\2/p'; }
screen_is() { [ "$(screen_size)" = "$1" ]; }
set_screen() { xrandr -s "$1" >/dev/null 2>&1; wait_until 10 screen_is "$1"; }

# Visible top-level windows of the running game, as "id width height x y" lines (children of
# the root only: the video player has a native window of its own inside the game window).
windows() {
  local id
  for id in $(xdotool search --maxdepth 1 --onlyvisible --pid "$game_pid" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    echo "$id $WIDTH $HEIGHT $X $Y"
  done
}
# The one visible 640x480 window other than $1 (the menu or the game window), or nothing.
big_window_except() { windows | awk -v not="${1:-0}" '$2 == 640 && $3 == 480 && $1 != not { print $1 }' | head -1; }
has_big_window_except() { [ -n "$(big_window_except "${1:-0}")" ]; }
is_gone() { ! xdotool search --maxdepth 1 --onlyvisible --pid "$game_pid" 2>/dev/null | grep -qx "$1"; }
# A visible message box: any window of the game that is not 640x480.
box_window() { windows | awk '!($2 == 640 && $3 == 480) { print $1 }' | head -1; }
has_box() { [ -n "$(box_window)" ]; }
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

start_game() {  # arguments for the game
  (cd "$work" && exec "$game" "$@" >"$work/game.log" 2>&1) &
  game_pid=$!
  wait_until 30 has_big_window_except 0 || { fail "no menu window appeared ($*)"; return 1; }
  menu=$(big_window_except 0)
}
wait_end() {
  if ! wait_until 20 game_ended; then fail "the game did not end ($1)"; kill -9 "$game_pid" 2>/dev/null; fi
  wait "$game_pid" 2>/dev/null
  game_pid=""
}
click() {  # window x y: a real click at a point of the window
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1
}
answer_box() {  # the Enter key on the message box: its default button
  local box
  wait_until 20 has_box || { fail "no message box ($1)"; return 1; }
  box=$(box_window)
  xdotool windowfocus "$box" 2>/dev/null
  sleep 0.2
  xdotool key Return
}
# Centres of the menu's buttons, in pixels of the window.
NOVA=(145 129)
KONEC=(340 361)

expect_screen() {  # size, what
  if wait_until 10 screen_is "$1"; then pass "$2: screen $1"; else fail "$2: screen $(screen_size), expected $1"; fi
}

echo "== exit button =="
set_screen 1024x768
start_game && {
  expect_screen 640x480 "menu shown"
  pos=$(windows | awk -v id="$menu" '$1 == id { print $4 "," $5 }')
  [ "$pos" = "0,0" ] && pass "menu at the top-left corner" || fail "menu at $pos"
  click "$menu" "${KONEC[@]}"
  answer_box "farewell"
  wait_end "exit button"
  expect_screen 1024x768 "after the exit button"
}

echo "== SIGTERM =="
set_screen 1024x768
start_game && {
  expect_screen 640x480 "menu shown"
  kill -TERM "$game_pid"
  wait_end "SIGTERM"
  expect_screen 1024x768 "after SIGTERM"
}

echo "== game window closed by the window manager's close message =="
set_screen 1024x768
start_game && {
  expect_screen 640x480 "menu shown"
  click "$menu" "${NOVA[@]}"
  if wait_until 30 is_gone "$menu" && wait_until 10 has_big_window_except "$menu"; then
    gamewin=$(big_window_except "$menu")
    pass "game window open"
    "$work/xhelper" close "$gamewin"
    wait_end "close message"
    expect_screen 1024x768 "after closing the game window"
  else
    fail "the game window did not open"
  fi
}

echo "== no_fullscreen =="
set_screen 1024x768
start_game no_fullscreen && {
  sleep 1  # the one place a switch would have happened is behind us; nothing to poll for
  screen_is 1024x768 && pass "no_fullscreen: screen kept at 1024x768" || fail "no_fullscreen: screen $(screen_size)"
  pos=$(windows | awk -v id="$menu" '$1 == id { print $4 "," $5 }')
  [ "$pos" = "0,0" ] && pass "no_fullscreen: menu at the top-left corner" || fail "no_fullscreen: menu at $pos"
  click "$menu" "${KONEC[@]}"
  answer_box "farewell with no_fullscreen"
  wait_end "no_fullscreen exit"
  expect_screen 1024x768 "no_fullscreen after exit"
}

echo "== three games in a row =="
set_screen 1024x768
"$work/xhelper" watch >"$work/watch.log" &
watch_pid=$!
wait_until 10 grep -q ready "$work/watch.log"
start_game && {
  expect_screen 640x480 "menu shown"
  for round in 1 2 3; do
    click "$menu" "${NOVA[@]}"
    if ! { wait_until 30 is_gone "$menu" && wait_until 10 has_big_window_except "$menu"; }; then
      fail "game $round did not open"; break
    fi
    gamewin=$(big_window_except "$menu")
    # Esc is taken once the question's answers are shown; press it until the box asks.
    for _ in $(seq 40); do
      xdotool windowfocus "$gamewin" 2>/dev/null
      xdotool key Escape
      wait_until 1 has_box && break
    done
    answer_box "quit question, game $round"  # Enter: the default answer, yes
    if ! { wait_until 30 is_gone "$gamewin" && wait_until 10 has_big_window_except "$gamewin"; }; then
      fail "the menu did not come back after game $round"; break
    fi
    menu=$(big_window_except "$gamewin")
    screen_is 640x480 && pass "back in the menu after game $round at 640x480" || fail "after game $round: $(screen_size)"
  done
  click "$menu" "${KONEC[@]}"
  answer_box "farewell after three games"
  wait_end "exit after three games"
  expect_screen 1024x768 "after three games and the exit button"
  sleep 0.5
  # Repeated reports of one change fold into one; the sizes the screen went through:
  changes=$(uniq "$work/watch.log" | grep -v ready | tr '\n' ' ' | sed 's/^1024x768 //; s/ $//')
  [ "$changes" = "640x480 1024x768" ] && pass "switched once and restored once" \
    || fail "screen changes during three games: '$changes'"
}

if [ "$failures" -ne 0 ]; then
  echo "--- game log"; cat "$work/game.log" 2>/dev/null
  echo "$failures check(s) failed"
  exit 1
fi
echo "all display-mode checks passed"
