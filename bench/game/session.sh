# A session for playing the real program: a work folder, an X server and a sound server of its
# own, the program's folder, the program started with "no_fullscreen"; everything started is
# ended on exit, whatever happens. Sourced by the benchmarks here and in bench/soak, the
# screenshots of packaging/ and the packaging checks (the game's own checks use tests/support/kvz_check.py).
# The caller sets `build` (the build folder) first.

work=$(mktemp -d "${TMPDIR:-/tmp}/kvz-e2e.XXXXXX")
xvfb_pid='' pulse_pid='' game_pid='' rec_pid=''
failed=0

fail() {
  echo "FAIL: $*" >&2
  failed=1
  exit 1
}
note() { echo "e2e: $*"; }
# A session that cannot run here (a tool or a server missing) is skipped (77 tells ctest), or
# failed under KVZ_STRICT_CHECKS.
# shellcheck source=../../tests/support/skip.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../tests/support/skip.sh"

# Ends everything started and waits until it has gone (5 s at most each, then SIGKILL): a
# server still writing into the work folder while it is removed makes the removal fail.
end_all() {
  local pid
  for pid in "$game_pid" "$rec_pid" "$xvfb_pid" "$pulse_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for pid in "$game_pid" "$rec_pid" "$xvfb_pid" "$pulse_pid"; do
    [ -n "$pid" ] || continue
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
  return 0
}

session_cleanup() {
  local rc=$?
  if [ "$rc" -eq 77 ]; then
    end_all
    rm -rf "$work"
    exit 77
  fi
  if [ "$rc" -ne 0 ] || [ "$failed" -ne 0 ]; then
    [ -n "$xvfb_pid" ] && [ -f "$work/fb/Xvfb_screen0" ] &&
      convert "xwd:$work/fb/Xvfb_screen0" "$work/last-screen.png" 2>/dev/null || true
  fi
  end_all
  if [ "$rc" -ne 0 ] || [ "$failed" -ne 0 ]; then
    [ -f "$work/transitions.log" ] && { echo "--- screen states seen (time state)" >&2; tail -n 40 "$work/transitions.log" >&2; }
    [ -f "$work/game.log" ] && { echo "--- program output" >&2; tail -n 20 "$work/game.log" >&2; }
    echo "kept for inspection: $work" >&2
  else
    rm -rf "$work"
  fi
  exit "$rc"
}
trap session_cleanup EXIT
trap 'fail "interrupted"' INT TERM

for tool in Xvfb xdotool pulseaudio pactl parec sox soxi od awk convert compare python3; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (run.sh test installs it)"
done
for f in kvizarion kvizarion-qst; do [ -x "$build/$f" ] || fail "$build/$f is not built"; done
[ -d "$build/snd" ] || fail "$build/snd is missing: the sounds were not generated"
pictures=$build/gen/pictures
[ -f "$pictures/C05.png" ] || fail "$pictures holds no generated pictures"
unset KVIZARION_PROBE KVIZARION_SEED PULSE_SERVER PULSE_SINK QT_MEDIA_BACKEND QT_MESSAGE_PATTERN

# The program's folder: a copy of the program (not a link: it looks for its data beside its own
# resolved path), the build's sounds and the questions compiled from the given sources, or the
# build's own questions when none is given.
game_dir=$work/game
prepare_game_dir() {  # [question_source...]
  mkdir -p "$game_dir/snd" "$game_dir/qst"
  cp "$build/kvizarion" "$game_dir/"
  cp "$build/snd/"* "$game_dir/snd/"
  if [ $# -eq 0 ]; then
    cp "$build/qst/"*.qst "$game_dir/qst/"
    return
  fi
  QT_QPA_PLATFORM=offscreen "$build/kvizarion-qst" build "$@" -o "$game_dir/qst" >"$work/qst.log" 2>&1 ||
    { cat "$work/qst.log" >&2; fail "the questions do not build"; }
}

# An X server of our own at 640 x 480, its framebuffer in a file to read pixels from. It picks
# its display number itself (-displayfd), so that sessions running at once never share one.
fb=$work/fb/Xvfb_screen0
start_xvfb() {
  mkdir -p "$work/fb"
  Xvfb -displayfd 3 -screen 0 640x480x24 -fbdir "$work/fb" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 300); do
    [ -s "$work/display" ] && DISPLAY=":$(head -1 "$work/display")" xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill -0 "$xvfb_pid" 2>/dev/null || skip "no X server: Xvfb ended ($(tail -n 1 "$work/xvfb.log" 2>/dev/null))"
    sleep 0.1
  done
  [ -s "$work/display" ] || skip "no X server: Xvfb gave no display within 30 s ($(tail -n 1 "$work/xvfb.log" 2>/dev/null))"
  export DISPLAY=":$(head -1 "$work/display")"
  xdotool getdisplaygeometry >/dev/null 2>&1 || fail "the X server on $DISPLAY does not answer"
  screen_open "$fb" || fail "the X server's framebuffer $fb is not 32-bit LSB-first XWD"
}

# A sound server of our own with a null sink, the only output the program sees.
start_pulse() {
  export XDG_RUNTIME_DIR=$work/pulse HOME=$work/pulse
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio -D --exit-idle-time=-1 -n --log-target="file:$work/pulse.log" \
    --load="module-null-sink sink_name=nul" --load=module-native-protocol-unix 2>>"$work/pulse.log" ||
    skip "no sound server: pulseaudio does not start ($(tail -n 1 "$work/pulse.log" 2>/dev/null))"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pulse_pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)
  pactl info >/dev/null 2>&1 || skip "no sound server: pulseaudio does not answer"
}

# Records everything played into $work/rec.wav: 8 kHz mono (enough to tell test tones apart)
# unless a rate and a channel count are given.
start_recording() {  # [rate channels]
  parec -d nul.monitor --rate="${1:-8000}" --channels="${2:-1}" --format=s16le --latency-msec=20 --file-format=wav \
    "$work/rec.wav" &
  rec_pid=$!
}

# Stops the recording; sets rec_start to the time of its first sample. The recording may begin
# well after parec was started on a loaded machine, but once running it loses nothing: its
# start is its end less its length.
stop_recording() {
  local rec_end rec_ms
  rec_end=$EPOCHREALTIME
  kill -INT "$rec_pid"
  wait "$rec_pid" 2>/dev/null || true
  rec_pid=''
  rec_ms=$(soxi -D "$work/rec.wav" | awk '{ printf "%d", $1 * 1000 }')
  rec_start=$(awk -v e="$rec_end" -v l="$rec_ms" 'BEGIN { printf "%.6f", e - l / 1000 }')
}

# The program's timing log goes to $work/game.log: "kvizarion.timing: <monotonic ms> <what>".
start_game() {
  (cd "$game_dir" && exec env QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="kvizarion.timing=true" \
    ./kvizarion no_fullscreen) >"$work/game.log" 2>&1 &
  game_pid=$!
}

# Waits for a line of the timing log.
wait_log() {  # what timeout_s
  local deadline=$((SECONDS + $2))
  until grep -q "$1" "$work/game.log"; do
    ((SECONDS < deadline)) || fail "no \"$1\" in the timing log within $2 s"
    sleep 0.05
  done
}

wait_menu() {  # timeout_s
  watch_until '^M$' "$1" "the start menu"
}

click_new_game() {
  # "nová hra" is imgNova: 960,1680 twips, 2430 x 525 -> its centre at 145,129 px.
  xdotool mousemove 145 129 click 1
  # The pointer is drawn into the framebuffer: out of the way of every place read.
  xdotool mousemove 5 5
}
