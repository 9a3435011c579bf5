#!/usr/bin/env bash
# The display's guard on a real X server (Xorg with the dummy driver: 1024x768 at 60 and 75 Hz,
# 800x600 and 640x480). However the game dies after the switch (SIGKILL, SIGSEGV, SIGABRT), the
# mode found at start, rate and all, is back within 2 s; after the exit button the display goes
# back exactly once (RandR screen changes counted) and the guard ends; a mode the player chose
# while the game ran is left alone. The guard holds no terminal (a session of its own, stdin
# and stdout on /dev/null, nothing of the game's open but its socket) and ends with the server.
# Usage: check_display_guard.sh BUILD_DIR
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/session_lib.sh" "${1:?build folder}"
[ "$(id -u)" -eq 0 ] || skip "Xorg with the dummy driver needs root"
for tool in Xorg xrandr xdotool xprop xev stdbuf; do command -v $tool >/dev/null || skip "$tool is missing"; done
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || skip "the dummy video driver is missing"
[ -x "$build/kvizarion-guard" ] || { echo "no $build/kvizarion-guard"; exit 1; }

start_x_server Xorg -config "$here/xorg_dummy_modes.conf" -noreset -logfile "$work/xorg.log"
server_pid=${background[0]}
# A crash must not wait for a core dump to be written before the socket closes.
ulimit -c 0

# The current mode as "1024x768@75" (--current: no probe of the outputs, so it can be polled).
mode() {
  xrandr --current 2>/dev/null | awk '/current/ { sub(",", "", $10); size = $8 "x" $10 }
    /\*/ { for (i = 2; i <= NF; i++) if ($i ~ /\*/) { gsub(/[*+]/, "", $i); rate = $i } }
    END { printf "%s@%.0f\n", size, rate }'
}
mode_is() { [ "$(mode)" = "$1" ]; }
set_mode() { xrandr -s "${1%@*}" -r "${1#*@}" >/dev/null 2>&1 && wait_until 10 mode_is "$1"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The game's guard, once it has started (a child of the game named kvizarion-guard).
guard_pid=""
find_guard() { guard_pid=$(pgrep -P "$game_pid" -x kvizarion-guard | head -1); [ -n "$guard_pid" ]; }
guard_ended() { ! kill -0 "$guard_pid" 2>/dev/null; }
menu_switched() {  # what: the menu painted and the screen at 640x480, the guard found
  wait_until 30 painted frmIntro && wait_until 10 mode_is 640x480@60 ||
    { fail "$1: no menu on a 640x480 screen (screen $(mode))"; return 1; }
  wait_until 5 find_guard || { fail "$1: no guard process beside the game"; return 1; }
}

echo "== the game killed: the mode found at start is back within 2 s =="
for signal in KILL SEGV ABRT; do
  set_mode 1024x768@75 || fail "cannot set 1024x768@75"
  start_game && menu_switched "SIG$signal" || { stop_game; continue; }
  killed=$(now_ms)
  kill -s "$signal" "$game_pid"
  # Polled as fast as xrandr answers, for the figure; the limit is 2 s.
  for _ in $(seq 400); do mode_is 1024x768@75 && break; [ $(($(now_ms) - killed)) -gt 2000 ] && break; done
  took=$(($(now_ms) - killed))
  if mode_is 1024x768@75 && [ "$took" -le 2000 ]; then
    pass "SIG$signal: 1024x768@75 back after $took ms"
  else
    fail "SIG$signal: screen $(mode) $took ms after the kill, expected 1024x768@75"
  fi
  check "SIG$signal: the guard has ended" wait_until 5 guard_ended
  wait "$game_pid" 2>/dev/null; game_pid=""
done

echo "== the guard holds no terminal and nothing of the game's =="
set_mode 1024x768@60
start_game && menu_switched "guard's process" && {
  [ "$(ps -o sid= -p "$guard_pid")" -eq "$guard_pid" ] && pass "the guard leads a session of its own" ||
    fail "the guard is in session $(ps -o sid= -p "$guard_pid")"
  [ "$(ps -o tty= -p "$guard_pid" | tr -d ' ')" = "?" ] && pass "the guard has no terminal" ||
    fail "the guard has the terminal $(ps -o tty= -p "$guard_pid")"
  fds=$(for fd in /proc/"$guard_pid"/fd/*; do echo "${fd##*/} $(readlink "$fd")"; done)
  nulls=$(grep -c '^[012] /dev/null$' <<<"$fds")
  sockets=$(grep -c '^[0-9]* socket:' <<<"$fds")
  # Descriptors 0 to 2 on /dev/null, the socket to the game and its own X connection.
  [ "$nulls" -eq 3 ] && [ "$sockets" -eq 2 ] && [ "$(wc -l <<<"$fds")" -eq 5 ] &&
    pass "the guard holds /dev/null, its socket and its X connection only" ||
    fail "the guard holds: $(tr '\n' ';' <<<"$fds")"
  stop_game
}

echo "== the player's own mode is left alone =="
set_mode 1024x768@60
start_game && menu_switched "player's mode" && {
  set_mode 800x600@60 || fail "cannot set 800x600"
  kill -KILL "$game_pid"
  check "the guard has ended" wait_until 5 guard_ended
  mode_is 800x600@60 && pass "the player's 800x600 kept" || fail "screen $(mode), expected the player's 800x600"
  wait "$game_pid" 2>/dev/null; game_pid=""
}

echo "== the exit button: restored exactly once =="
set_mode 1024x768@60
start_background "$work/changes.log" stdbuf -oL xev -root -event randr
sleep 0.5  # xev selects its events as it starts; nothing announces it
start_game && menu_switched "exit button" && {
  click_at 340 361  # "ukončit"
  wait_until 20 has_window_count 2 && sleep 0.3 && xdotool key Return  # the farewell box
  wait_end "exit button"
  check "the guard has ended with the game" wait_until 5 guard_ended
  mode_is 1024x768@60 && pass "1024x768@60 after the exit button" || fail "screen $(mode) after the exit button"
  sleep 0.5
  # The sizes of the screen changes xev saw, repeated reports of one change folded into one
  # (a switch first reports the screen as it was, with its output off).
  changes=$(awk '/^RRScreenChangeNotify/ { screen = 1 } screen && /width [0-9]+, height/ {
      gsub(",", ""); print $2 "x" $4; screen = 0 }' "$work/changes.log" |
    uniq | tr '\n' ' ' | sed 's/^1024x768 //; s/ $//')
  [ "$changes" = "640x480 1024x768" ] && pass "switched once and restored once" ||
    fail "screen changes from start to exit: '$changes'"
}

echo "== the guard ends with the X server =="
set_mode 1024x768@60
start_game && menu_switched "server's end" && {
  kill -TERM "$server_pid"
  check "the guard ends with the server" wait_until 10 guard_ended
  wait_until 10 game_ended; game_pid=""
}

finish
