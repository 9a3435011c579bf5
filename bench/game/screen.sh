# Reading the game's screen for the shell sessions of session.sh. The X server keeps its framebuffer in an XWD
# file (Xvfb -fbdir); a pixel is read straight from it, so the screen can be polled every few
# tens of milliseconds without taking screenshots. Places are window pixels (twips / 15); the
# game and menu windows lie at 0,0 of a 640 x 480 screen.

scr_file='' scr_base=0 scr_bpl=0

screen_open() {  # xwd_file
  scr_file=$1
  local -a h
  read -r -a h < <(od -An -v -tu4 --endian=big -N 100 "$scr_file" | tr -s ' \n' ' ')
  # header_size, ..., byte_order (7), ..., bits_per_pixel (11), bytes_per_line (12), ncolors (19)
  [ "${#h[@]}" -ge 20 ] && [ "${h[7]}" -eq 0 ] && [ "${h[11]}" -eq 32 ] || return 1
  scr_bpl=${h[12]}
  scr_base=$((h[0] + h[19] * 12))
}

# The rows y0..y0+n-1, one line of byte values each (blue, green, red, pad per pixel).
screen_rows() { od -An -v -tu1 -w"$scr_bpl" -j $((scr_base + $1 * scr_bpl)) -N $(($2 * scr_bpl)) "$scr_file"; }

pixel() {  # x y -> "r g b"
  od -An -tu1 -j $((scr_base + $2 * scr_bpl + $1 * 4)) -N3 "$scr_file" | awk '{ print $3, $2, $1 }'
}

# The state of the game screen in one word pair, read from three bands of four rows:
#   "QABCD pppp": 1/0 whether the question and the answers A-D show white text, and the colour
#                 of each answer plate: b blue, o orange, g green, ? other;
#   "W":          the black backdrop is over the question plate (winnings);
#   "M":          the start menu (its red notice strip at the bottom).
screen_state() {
  {
    screen_rows 338 4
    screen_rows 409 4
    screen_rows 457 4
    screen_rows 440 1
  } | awk '
    function white(lo, hi,   x) {
      for (x = lo; x <= hi; x++) if ($(4*x+1) > 200 && $(4*x+2) > 200 && $(4*x+3) > 200) return 1
      return 0
    }
    function colour(x,   r, g, b) {
      b = $(4*x+1); g = $(4*x+2); r = $(4*x+3)
      if (r > 120 && g < r && b < 60) return "o"
      if (g > r + 40 && g > b + 40) return "g"
      if (b > r && b > g) return "b"
      return "?"
    }
    NR <= 4  { q = q || white(60, 580); if (NR == 2) { b = $(4*30+1); g = $(4*30+2); r = $(4*30+3); dark = (r + g + b < 30) } }
    NR >= 5 && NR <= 8 { a = a || white(80, 289); bb = bb || white(400, 609); if (NR == 6) { pa = colour(300); pb = colour(620) } }
    NR >= 9 && NR <= 12 { c = c || white(80, 289); d = d || white(400, 609); if (NR == 10) { pc = colour(300); pd = colour(620) } }
    NR == 13 { red = ($(4*90+3) > 150 && $(4*90+2) < 40 && $(4*90+1) < 40) }
    END {
      if (dark && red) print "M"
      else if (dark) print "W"
      else printf "%d%d%d%d%d %s%s%s%s\n", q, a, bb, c, d, pa, pb, pc, pd
    }'
}

# Milliseconds between two $EPOCHREALTIME values.
ms_between() {
  local a=${1/./} b=${2/./}
  echo $(((10#$b - 10#$a) / 1000))
}

# Polls a probe (a function printing what it reads) until its output matches the regular
# expression; every change of output is logged with its time. Sets matched_at to the time
# the matching output was first seen and probed to that output.
matched_at='' probed=''
declare -A probe_last=()
probe_until() {  # probe regex timeout_s what
  local probe=$1 regex=$2 limit=$3 what=$4 out now start=$EPOCHREALTIME
  while :; do
    out=$($probe)
    now=$EPOCHREALTIME
    if [ "$out" != "${probe_last[$probe]:-}" ]; then
      echo "$now $probe $out" >>"$work/transitions.log"
      probe_last[$probe]=$out
    fi
    if [[ $out =~ $regex ]]; then
      matched_at=$now probed=$out
      return 0
    fi
    (($(ms_between "$start" "$now") < limit * 1000)) || fail "$what: not seen within $limit s ($probe: $out)"
    if ! kill -0 "$game_pid" 2>/dev/null; then
      local status=0
      wait "$game_pid" || status=$?
      game_pid=''
      fail "$what: the program ended unexpectedly (exit status $status)"
    fi
    sleep 0.015
  done
}

watch_until() { probe_until screen_state "$@"; }  # regex timeout_s what

# Where the window's pictures really lie against their places (window at 0,0): found once from
# the question plate, whose top strip never changes; scr_wx, scr_wy are -1, 0 or 1.
scr_wx=0 scr_wy=0
find_window_offset() {  # pictures
  local wx wy d best=''
  convert "xwd:$scr_file" -crop 600x20+10+300 +repage "$work/strip.png"
  for wy in -1 0 1; do
    for wx in -1 0 1; do
      convert "$1/ZADANI.png" -crop "600x20+$((10 - wx))+$((4 - wy))" +repage "$work/ref.png"
      d=$(compare -metric AE "$work/strip.png" "$work/ref.png" null: 2>&1 || true)
      if [ -z "$best" ] || ((d < best)); then best=$d scr_wx=$wx scr_wy=$wy; fi
    done
  done
  echo "window offset $scr_wx,$scr_wy ($best pixels differ)" >>"$work/closest.log"
}

# Which of the given pictures a part of the screen is closest to (root-mean-square difference),
# one pixel kept clear of each edge so that the window's offset can be allowed for.
closest() {  # x y w h picture...
  local x=$1 y=$2 w=$(($3 - 2)) h=$(($4 - 2)) best='' best_d='' d p all=''
  shift 4
  convert "xwd:$scr_file" -crop "${w}x${h}+$((x + 1))+$((y + 1))" +repage "$work/crop.png"
  for p in "$@"; do
    convert "$p" -crop "${w}x${h}+$((1 - scr_wx))+$((1 - scr_wy))" +repage "$work/ref.png"
    d=$(compare -metric RMSE "$work/crop.png" "$work/ref.png" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
    all="$all $(basename "$p" .png)=$d"
    if [ -z "$best" ] || awk -v a="$d" -v b="$best_d" 'BEGIN { exit !(a < b) }'; then
      best=$(basename "$p" .png) best_d=$d
    fi
  done
  echo "$best:$all" >>"$work/closest.log"
  # Nothing close at all: something else covers the place.
  awk -v d="$best_d" 'BEGIN { exit !(d < 0.02) }' || best="none($best_d)"
  echo "$best"
}

closest_winnings() { closest 0 352 640 95 "$1"/C0{0,1,2,3,4,5}.png; }
# The question plate lies over the foot of the ladder: only its rows above it are compared.
closest_ladder() { closest 432 0 200 296 "$1"/S0{1,2,3,4,5}.png; }

# The audience graph's place, read on the row just above the bars' baseline at the centre of
# each bar: g the logo (gold), e the empty graph (dark blue), r a red bar, k black (the call's
# square), ? other.
graph_state() {
  screen_rows 192 1 | awk '{
    n = split("206 238 270 302", xs, " ")
    for (i = 1; i <= n; i++) {
      x = xs[i]; b = $(4*x+1); g = $(4*x+2); r = $(4*x+3)
      if (r > 200 && g < 60 && b < 60) c = "r"
      else if (r > 150 && g > 120 && b < 90) c = "g"
      else if (r + g + b < 30) c = "k"
      else if (b > r && b > g && b < 120) c = "e"
      else c = "?"
      printf "%s", c
    }
    print ""
  }'
}

# The heights in pixels of the four red bars, counted up from the baseline.
bar_heights() {
  screen_rows 20 176 | awk '{
    split("206 238 270 302", xs, " ")
    for (i = 1; i <= 4; i++) { x = xs[i]; if ($(4*x+3) > 200 && $(4*x+2) < 60 && $(4*x+1) < 60) h[i]++ }
  } END { printf "%d %d %d %d\n", h[1], h[2], h[3], h[4] }'
}

# Pixels of cyan text in the call's transcript panel.
cyan_pixels() {
  screen_rows 330 60 | awk '{ for (x = 19; x < 620; x++) if ($(4*x+3) < 100 && $(4*x+2) > 180 && $(4*x+1) > 180) n++ } END { print n + 0 }'
}

# A checksum of the countdown video's place (120 x 120 centred on the logo) and whether
# anything but black shows there: "sum lit".
video_sum() {
  screen_rows 51 120 | awk '{ for (x = 191; x < 311; x++) { v = $(4*x+1) + $(4*x+2) * 3 + $(4*x+3) * 7; s = (s * 31 + v) % 1000000007; if (v > 60) lit++ } } END { print s, lit + 0 }'
}

# Whether the video's place shows another picture than $video_first (a video_sum).
video_changed() {
  local v
  v=$(video_sum)
  [ "${v% *}" != "$video_first" ] && echo moved || echo still
}
