# Shared by the whole-program checks of the shell (sourced, not run): a work folder, servers
# and programs started in the background and ended whatever happens, polling waits, the
# game started with its timing log, real clicks, pixels of screenshots.
# Sourced with the build folder; sets build and game (the executable).

build=$(cd "$1" && pwd)
game="$build/kvizarion"
[ -x "$game" ] || { echo "no $game"; exit 1; }

# shellcheck source=../support/skip.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/skip.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() {  # what, command...: passes when the command succeeds
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

work=$(mktemp -d /tmp/kvz-shell.XXXXXX)
background=()  # pids to end at exit, latest first
game_pid=""
cleanup() {
  for pid in $game_pid "${background[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in $game_pid "${background[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# wait_until SECONDS COMMAND...: polls every 0.1 s; false when time runs out.
wait_until() {
  local limit=$(($1 * 10)); shift
  for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# An X server (Xvfb or Xorg and its arguments) on a display number it picks itself, so that
# checks running at once never share one; exports DISPLAY once it answers.
start_x_server() {
  local server=$1; shift
  "$server" -displayfd 3 -nolisten tcp "$@" 3>"$work/display" >"$work/$server.out" 2>&1 &
  background=($! "${background[@]}")
  # No X server here: the check cannot run, which is a skip, not a failure.
  wait_until 30 test -s "$work/display" || skip "no X server: $server did not start ($(tail -n 1 "$work/$server.out"))"
  export DISPLAY=":$(head -1 "$work/display")"
  wait_until 30 xprop -root >/dev/null 2>&1 || skip "no X server: $server does not answer ($(tail -n 1 "$work/$server.out"))"
}

start_background() {  # log file, command...
  local log=$1; shift
  "$@" >"$log" 2>&1 &
  background=($! "${background[@]}")
}
stop_wm() { stop_background "$wm_pid"; wm_pid=""; }
stop_background() {  # pid
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  local kept=() pid
  for pid in "${background[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
  background=("${kept[@]}")
}

# A window manager on $DISPLAY; its pid in wm_pid. One that ends by itself before it has
# announced itself (seen now and then on a loaded machine) is started once more, and what it
# said is shown; one that still does not come up is the caller's failure.
wm_announced() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
wm_gone() { ! kill -0 "$wm_pid" 2>/dev/null; }
wm_up_or_gone() { wm_announced || wm_gone; }
start_wm() {
  local attempt
  for attempt in 1 2; do
    start_background "$work/wm.log" "$1"
    wm_pid=${background[0]}
    wait_until 30 wm_up_or_gone
    wm_announced && return 0
    echo "$1 did not come up (attempt $attempt); it said: $(tail -n 3 "$work/wm.log" | tr '\n' ' ')"
    wm_gone || return 1
    stop_background "$wm_pid"
  done
  return 1
}

# The game, with its timing log on (first paint of each window: "painted NAME WxH").
start_game() {  # arguments for the game
  : >"$work/game.log"
  (cd "$work" && QT_LOGGING_RULES="kvizarion.timing=true" exec "$game" "$@" >>"$work/game.log" 2>&1) &
  game_pid=$!
}
# True once the named window has been painted; with a size, painted at that size.
painted() { grep -q "painted $1 ${2:-}" "$work/game.log"; }
# True while the player's input is open (its last opening or locking in the log), as after a
# question's reveal: a pick or F10 is taken from then on.
input_open() { [ "$(grep -o 'input \(open\|locked\)' "$work/game.log" | tail -1)" = "input open" ]; }
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
wait_end() {  # what
  if ! wait_until 20 game_ended; then fail "the game did not end ($1)"; kill -9 "$game_pid" 2>/dev/null; fi
  wait "$game_pid" 2>/dev/null
  game_pid=""
}
stop_game() { [ -n "$game_pid" ] && kill -TERM "$game_pid" 2>/dev/null; wait_end "SIGTERM"; }

# Visible top-level windows of the running game, as "id width height x y" lines (x and y on
# the screen). A window manager puts each in a frame window of its own, one level deeper;
# without one, a window one level deeper is the video player's inside the game window.
windows() {
  local id depth=1
  [ -n "${wm_pid:-}" ] && depth=2
  for id in $(xdotool search --maxdepth $depth --onlyvisible --pid "$game_pid" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    echo "$id $WIDTH $HEIGHT $X $Y"
  done
}
window_count() { windows | wc -l; }
has_window_count() { [ "$(window_count)" -eq "$1" ]; }
click_at() {  # x y on the screen
  xdotool mousemove "$1" "$2" sleep 0.1 click 1
}

# Screenshots and their pixels ("r,g,b").
shoot() { import -window root "$work/$1.png" 2>/dev/null; }
# A copy of a screenshot for a person to look at, into KVZ_SHOTS_DIR when that is set.
keep_shot() { [ -z "${KVZ_SHOTS_DIR:-}" ] || { mkdir -p "$KVZ_SHOTS_DIR" && cp "$work/$1.png" "$KVZ_SHOTS_DIR/$2.png"; }; }
pixel() {  # shot x y
  convert "$work/$1.png" -crop "1x1+$2+$3" -format '%[fx:int(255*r+.5)],%[fx:int(255*g+.5)],%[fx:int(255*b+.5)]' info:
}
pixel_is() { [ "$(pixel "$1" "$2" "$3")" = "$4" ]; }
# The notice strip of the menu (Label1, dark red) lies at its layout pixels times the scale,
# shifted by the scene's place: its corners red, the pixels just outside them black.
notice_in_place() {  # shot scale left top
  local s=$2 x0=$3 y0=$4
  local l=$((x0 + 78 * s)) t=$((y0 + 432 * s)) r=$((x0 + 563 * s - 1)) b=$((y0 + 448 * s - 1))
  pixel_is "$1" "$l" "$t" 192,0,0 && pixel_is "$1" "$r" "$b" 192,0,0 &&
    pixel_is "$1" $((l - 1)) "$t" 0,0,0 && pixel_is "$1" "$l" $((t - 1)) 0,0,0 &&
    pixel_is "$1" $((r + 1)) "$b" 0,0,0 && pixel_is "$1" "$r" $((b + 1)) 0,0,0
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "--- game log"; cat "$work/game.log" 2>/dev/null
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
}
