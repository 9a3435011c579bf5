#!/usr/bin/env bash
# The switched 640x480 screen on a high-density desktop: Xorg with the dummy video driver
# (1024x768, switching to 640x480) with the X resource "Xft.dpi: 192" (what a desktop sets at
# 200 %), and with Qt's own factor QT_SCALE_FACTOR 1.5 and 2. Each time the menu covers the
# switched screen with its elements at their pixels (the notice strip, the "nová hra" plate
# as drawn at 1 x), a click on "nová hra" opens the game, the answer plate is the picture
# drawn for the screen's density (1 x here, not a larger drawing shrunk), the information box
# (F10) lies over the scene, and the mode found at start comes back at the end. The menu's
# screen is the same, pixel for pixel, as at 100 %. Real clicks
# and keys (xdotool); every wait polls with a time-out. KVZ_SHOTS_DIR, when set, receives
# the screenshots.
# Usage: check_high_density.sh BUILD_DIR
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/session_lib.sh" "${1:?build folder}"
[ "$(id -u)" -eq 0 ] || skip "Xorg with the dummy driver needs root"
for tool in Xorg xrandr xrdb xdotool xprop import convert compare; do
  command -v $tool >/dev/null || skip "$tool is missing"
done
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || skip "the dummy video driver is missing"

start_x_server Xorg -config "$here/xorg_dummy_modes.conf" -noreset -logfile "$work/xorg.log"
QT_QPA_PLATFORM=offscreen "$build/tools/assetgen/kvz_assetgen" "$work/drawn1" >/dev/null 2>&1 \
  || { echo "the picture generator failed"; exit 1; }

screen_size() { xrandr -q 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\).*/\1x\2/p'; }
screen_is() { [ "$(screen_size)" = "$1" ]; }
# A window from the corner over at least the whole screen (at 150 % Qt may round its width
# of 426.67 logical pixels up to 641 device pixels).
menu_covers_screen() { windows | awk '$4 == 0 && $5 == 0 && $2 >= 640 && $3 >= 480 { found = 1 } END { exit !found }'; }
# Pixels of an area of a screenshot more than a few levels off the same area of an image.
differing_pixels() {  # shot x y width height image
  convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage "$work/area.png"
  convert "$6" -crop "$4x$5+0+0" +repage "$work/image_area.png"
  compare -metric AE -fuzz 3% "$work/area.png" "$work/image_area.png" null: 2>&1 | cut -d' ' -f1
}
drawn_at_1x() {  # what, shot, scene x y width height, picture
  local off
  off=$(differing_pixels "$2" "$3" "$4" "$5" "$6" "$work/drawn1/pictures/$7.png")
  [ "${off:-99999}" -le 20 ] && pass "$1 ($off pixels off its 1 x drawing)" || fail "$1: $off pixels off its 1 x drawing"
}
box_up() { has_window_count 2; }

# One run of the game at a desktop factor; the name tells the screenshots apart.
play_at() {  # name
  local name=$1 geometry w h x y
  xrandr -s 1024x768 >/dev/null 2>&1
  start_game
  if ! wait_until 30 painted frmIntro || ! wait_until 10 screen_is 640x480 || ! wait_until 10 menu_covers_screen; then
    fail "$name: no menu over the switched 640x480 screen (screen $(screen_size); $(windows | tr '\n' ';'))"
    stop_game; return
  fi
  sleep 0.5
  shoot menu
  keep_shot menu "menu-$name"
  check "$name: the menu's notice strip at its pixels of the 640x480 screen" notice_in_place menu 1 0 0
  if [ -f "$work/menu-100.png" ]; then
    check "$name: the menu's screen pixel for pixel as at 100 %" \
      eval '[ "$(compare -metric AE "$work/menu-100.png" "$work/menu.png" null: 2>&1)" = 0 ]'
  else
    cp "$work/menu.png" "$work/menu-100.png"
  fi
  drawn_at_1x "$name: nová hra at its place" menu 64 112 162 35 NOVA
  click_at 145 129
  if ! wait_until 30 painted frmMain; then fail "$name: a click on nová hra did not open the game"; stop_game; return; fi
  pass "$name: a click on nová hra opens the game"
  # F10 is taken once the answers are in; pressed until the information box shows.
  for _ in $(seq 40); do
    xdotool key F10
    wait_until 1 box_up && break
  done
  shoot game
  keep_shot game "game-$name"
  # Plate A left of its text: scene (0..79, 392..428).
  drawn_at_1x "$name: the answer plate drawn for the screen's density" game 0 392 80 37 A-M
  if box_up; then
    read -r _ w h x y <<<"$(windows | awk '$2 < 640' | head -1)"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 640 ] && [ $((y + h)) -le 480 ] && [ "$w" -ge 200 ] \
      && pass "$name: the information box lies over the scene (${w}x${h}+$x+$y)" \
      || fail "$name: the information box at ${w}x${h}+$x+$y"
    xdotool key Return
  else
    fail "$name: F10 showed no information box"
  fi
  stop_game
  wait_until 10 screen_is 1024x768 && pass "$name: 1024x768 again at the end" || fail "$name: screen $(screen_size) at the end"
}

echo "== 100 %: the screens to compare with =="
play_at 100
echo "== Xft.dpi: 192 (200 %) =="
echo "Xft.dpi: 192" | xrdb -merge
play_at xft-dpi-192
xrdb -load /dev/null
for factor in 1.5 2; do
  echo "== QT_SCALE_FACTOR=$factor =="
  export QT_SCALE_FACTOR=$factor
  play_at "qt-scale-factor-$factor"
  unset QT_SCALE_FACTOR
done

finish
