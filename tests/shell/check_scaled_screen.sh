#!/usr/bin/env bash
# The scaled full screen on a large screen that cannot switch: Xvfb at 1920x1080 (RandR
# without a 640x480 mode) under openbox. The menu fills the screen, the scene drawn at twice
# its size and centred (its notice strip at its layout pixels times 2 plus the border); a
# click on the scaled "nová hra" opens the game window, full screen too; the answer plate on
# the screen is the plate drawn at 2 x by the picture generator (sharp edges and letters, not
# the small plate's pixels enlarged into blocks); an information box (F10) comes up over the
# scene at the scale; the menu and the game window cover a panel (tint2) along the bottom;
# "no_fullscreen" at the desktop's factor 2 shows pictures drawn at 2 x too. Real clicks and
# keys (xdotool). The same at 150 %, 200 % and 300 % desktop factors (Xft.dpi, QT_SCALE_FACTOR):
# the scene is placed by the screen's own pixels. KVZ_SHOTS_DIR, when set, receives the
# screenshots of those runs.
# Usage: check_scaled_screen.sh BUILD_DIR
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/session_lib.sh" "${1:?build folder}"
for tool in Xvfb openbox tint2 xdotool xprop xrdb import convert compare python3; do command -v $tool >/dev/null || skip "$tool is missing"; done
python3 -c 'import ctypes.util, sys; sys.exit(not ctypes.util.find_library("Xfixes"))' || skip "libXfixes is missing"

start_x_server Xvfb -screen 0 1920x1080x24
start_wm openbox || { echo "openbox did not start"; exit 1; }
# A panel along the bottom edge (tint2's own default), which the game's windows must cover.
panel_rows() { echo 0 1040 1920 40; }  # x y width height: the panel's place
region_black() {  # shot x y width height
  [ "$(convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage -format '%[max]' info:)" = 0 ]
}
panel_shown() { shoot desktop && ! region_black desktop $(panel_rows); }
start_background "$work/panel.log" env HOME="$work" tint2
wait_until 20 panel_shown || { echo "tint2 showed no panel: $(tail -n 3 "$work/panel.log" | tr '\n' ' ')"; exit 1; }

# The scene at 2 x 2 on 1920x1080: 1280x960 from (320, 60).
S=2; X0=320; Y0=60
at() { echo $((X0 + S * $1)) $((Y0 + S * $2)); }

# The plates as the game draws them at 2 x and at 1 x.
QT_QPA_PLATFORM=offscreen "$build/tools/assetgen/kvz_assetgen" --scale 2 "$work/drawn2" >/dev/null 2>&1
QT_QPA_PLATFORM=offscreen "$build/tools/assetgen/kvz_assetgen" "$work/drawn1" >/dev/null 2>&1

# Pixels of an area of a screenshot more than a few levels off the same area of an image.
differing_pixels() {  # shot x y width height image image_x image_y
  convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage "$work/area.png"
  convert "$6" -crop "$4x$5+$7+$8" +repage "$work/image_area.png"
  compare -metric AE -fuzz 3% "$work/area.png" "$work/image_area.png" null: 2>&1 | cut -d' ' -f1
}

start_game
if wait_until 30 painted frmIntro 1920x1080; then
  pass "the menu covers the 1920x1080 screen"
  sleep 0.5
  shoot menu
  check "the scene is drawn at 2x, centred on black (the notice strip at its scaled pixels)" notice_in_place menu $S $X0 $Y0
  check "black around the scene" pixel_is menu $((X0 - 1)) 540 0,0,0
  check "the menu covers the panel" region_black menu $(panel_rows)
  click_at $(at 145 129)  # nová hra
  if wait_until 30 painted frmMain 1920x1080; then
    pass "a click on the scaled nová hra opens the game window over the screen"
    # The answers are in once the input opens; F10 then shows the information box.
    wait_until 20 input_open || fail "the input did not open"
    shoot game
    check "the game window covers the panel" region_black game $(panel_rows)
    # Plate A left of its text: scene (0..79, 392..428), 11 840 pixels on the screen.
    convert "$work/drawn1/pictures/A-M.png" -filter point -resize 200% "$work/enlarged.png"
    drawn=$(differing_pixels game $X0 $((Y0 + 2 * 392)) 160 74 "$work/drawn2/pictures/A-M.png" 0 0)
    enlarged=$(differing_pixels game $X0 $((Y0 + 2 * 392)) 160 74 "$work/enlarged.png" 0 0)
    [ "$drawn" -le 20 ] && [ "$enlarged" -ge 500 ] \
      && pass "the answer plate is drawn at 2 x ($drawn pixels off the 2 x drawing, $enlarged off the enlarged plate)" \
      || fail "the answer plate is not the 2 x drawing: $drawn pixels off it, $enlarged off the enlarged plate"
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

# no_fullscreen on a high-density desktop (Qt's factor 2): a decorated window whose client
# area is the scene at 2 x, its pictures drawn at 2 x too, all of them ahead of the game.
export QT_SCALE_FACTOR=2
start_game no_fullscreen
unset QT_SCALE_FACTOR
if wait_until 30 painted frmIntro 640x480 && wait_until 10 has_window_count 1; then
  read -r id w h _ <<<"$(windows)"
  # The client area's place on the screen, wherever the window manager put its frame.
  x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ { print $NF }')
  y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ { print $NF }')
  [ "$w" = 1280 ] && [ "$h" = 960 ] && pass "no_fullscreen at factor 2: a 1280x960 client area" \
    || fail "no_fullscreen at factor 2: ${w}x${h}"
  sleep 0.5
  shoot window
  keep_shot window "no-fullscreen-menu-QT_SCALE_FACTOR-2"
  # The menu button "nová hra": scene (64, 112), 162 x 35.
  drawn=$(differing_pixels window $((x + 128)) $((y + 224)) 324 70 "$work/drawn2/pictures/NOVA.png" 0 0)
  [ "$drawn" -le 20 ] && pass "no_fullscreen at factor 2: nová hra drawn at 2 x ($drawn pixels off)" \
    || fail "no_fullscreen at factor 2: nová hra is $drawn pixels off its 2 x drawing"
  # Every picture is drawn ahead for the window's density, so none is drawn during the game:
  # not at its opening, the reveal, the pick (A) or the verdict.
  check "no_fullscreen at factor 2: the pictures drawn ahead at 2 x" \
    wait_until 20 grep -q "pictures drawn ahead at 2 x" "$work/game.log"
  click_at $((x + 290)) $((y + 258))  # nová hra
  if wait_until 30 painted frmMain; then
    for _ in $(seq 40); do
      xdotool key a
      wait_until 1 grep -q "tick tmrZvuk" "$work/game.log" && break
    done
    check "no_fullscreen at factor 2: a pick goes to its verdict" wait_until 20 grep -q "tick tmrZvuk" "$work/game.log"
    late=$(sed -n '/painted frmMain/,$p' "$work/game.log" | grep -c "drew ")
    [ "$late" -eq 0 ] && pass "no_fullscreen at factor 2: no picture drawn during the game" \
      || fail "no_fullscreen at factor 2: $late pictures drawn during the game"
  else
    fail "no_fullscreen at factor 2: a click on nová hra did not open the game"
  fi
else
  fail "no_fullscreen at factor 2: no menu window"
fi
stop_game

# High-density desktops: the X resource Xft.dpi 192 (200 %) and Qt's factors 1.5 and 3. The
# full screen is placed by the screen's own pixels, so each shows the scene at 2 x, centred,
# its pictures drawn at 2 x (the screen as at 100 %); a click on the scaled nová hra opens
# the game.
# The pointer's image as the X server shows it, "WIDTHxHEIGHT+HOTX+HOTY" (XFixes).
pointer_image() {
  python3 - <<'PY'
import ctypes, ctypes.util
class Image(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort)]
x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes"))
x11.XOpenDisplay.restype = ctypes.c_void_p
xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(Image)
xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if display:
    i = xfixes.XFixesGetCursorImage(display).contents
    print(f"{i.width}x{i.height}+{i.xhot}+{i.yhot}")
PY
}
pointer_is() { [ "$(pointer_image)" = "$1" ]; }
same_pixels() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = 0 ]; }
plate_drawn_2x() {  # shot taken now: plate A (scene 0..79, 392..428) is the 2 x drawing
  shoot dense-game
  [ "$(differing_pixels dense-game $(at 0 392) 160 74 "$work/drawn2/pictures/A-M.png" 0 0)" -le 20 ]
}
for setting in "Xft.dpi 192" "QT_SCALE_FACTOR 1.5" "QT_SCALE_FACTOR 3"; do
  read -r what value <<<"$setting"
  echo "== $what $value =="
  if [ "$what" = Xft.dpi ]; then echo "Xft.dpi: $value" | xrdb -merge; else export QT_SCALE_FACTOR=$value; fi
  start_game
  unset QT_SCALE_FACTOR
  if wait_until 30 painted frmIntro; then
    sleep 0.5
    shoot dense
    keep_shot dense "scaled-menu-$what-$value"
    check "$what $value: the scene at 2 x, centred on black" notice_in_place dense $S $X0 $Y0
    check "$what $value: the menu's screen pixel for pixel as at 100 %" same_pixels menu dense
    off=$(differing_pixels dense $(at 64 112) 324 70 "$work/drawn2/pictures/NOVA.png" 0 0)
    [ "$off" -le 20 ] && pass "$what $value: nová hra drawn at 2 x ($off pixels off)" \
      || fail "$what $value: nová hra is $off pixels off its 2 x drawing"
    # The hand over nová hra, drawn at 2 x with its fingertip (11, 1) at 2 x.
    xdotool mousemove $(at 145 129)
    check "$what $value: the hand pointer at 2 x" wait_until 5 pointer_is 64x64+22+2
    click_at $(at 145 129)
    if wait_until 30 painted frmMain; then
      pass "$what $value: a click on the scaled nová hra opens the game"
      check "$what $value: the answer plate drawn at 2 x" wait_until 10 plate_drawn_2x
      keep_shot dense-game "scaled-game-$what-$value"
    else
      fail "$what $value: the click on nová hra did not open the game"
    fi
  else
    fail "$what $value: no menu painted"
  fi
  stop_game
  xrdb -load /dev/null
done

finish
