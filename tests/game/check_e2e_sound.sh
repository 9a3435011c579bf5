#!/usr/bin/env bash
# The game's own sounds heard through whole games: the real program under Xvfb with the
# generated sounds (no test tones), a PulseAudio null sink recorded at 48 kHz stereo.
#
# Game 1 (e2e/play.sh): all three lifelines and the top prize. Game 2: Esc answered Yes at
# question 1. Checked in the recording, from the music of each game's first question to the
# menu back:
# - no stretch of more than 1.5 s without sound, except those the game makes on purpose:
#   the 3 s of the kept amount after a confirmed Esc (the music stops, the plate is silent);
#   the menu lies outside the checked stretch of each game;
# - the poll's closing cue within 150 ms of the bars being drawn (from the timing log);
# - each effect's loudness, over the time it played, within 1.5 LU of its target, and the
#   music's where it plays alone.
# The silence map (every stretch over 1.5 s with the last step of the game before it) is
# printed, and written to KVZ_E2E_SILENCE=FILE if set. KVZ_E2E_SND=DIR plays the WAV files of
# DIR instead of the build's, to map another set of sounds.
#
# Usage: check_e2e_sound.sh BUILD_DIR. Needs Xvfb, xdotool, pulseaudio, parec, sox, ImageMagick
# and the build's tools/kvz_soundmeter.
set -euo pipefail

build=$(cd "${1:?usage: check_e2e_sound.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e/screen.sh
. "$here/e2e/screen.sh"
# shellcheck source=e2e/session.sh
. "$here/e2e/session.sh"

meter=$build/tools/kvz_soundmeter
[ -x "$meter" ] || skip "no $meter: build the target kvz_soundmeter"
readonly EFFECT_LUFS=-16 MUSIC_LUFS=-23 LOUDNESS_TOL=1.5 QUIET_DB=-50 LONGEST_QUIET=1.5 CUE_TOL_MS=150
# Seconds of silence a confirmed Esc makes: the kept amount is shown while nothing plays.
readonly ESC_QUIET=3.0

prepare_game_dir "$here/e2e/questions.txt"
if [ -n "${KVZ_E2E_SND:-}" ]; then cp "$KVZ_E2E_SND"/*.wav "$game_dir/snd/"; fi
start_xvfb
start_pulse
start_recording 48000 2
start_game
# shellcheck source=e2e/play.sh
. "$here/e2e/play.sh"

wait_menu 60
play_top_game
game1=("$t_first_music" "$t_menu_back")

click_new_game
play_reveal 1
t_music=$(log_epoch "music play")
xdotool key Escape
wait_box open
xdotool key Return  # Ano is the default button
t_esc=$EPOCHREALTIME
wait_menu 8
game2=("$t_music" "$matched_at")
note "game 2: Esc answered Yes, menu back"
stop_recording

# Seconds into the recording of an $EPOCHREALTIME value, and of a timing log stamp (ms).
rec_at() { awk -v t="$1" -v s="$rec_start" 'BEGIN { printf "%.3f", t - s }'; }
rec_of_log() { awk -v t="$1" -v o="$mono_offset" -v s="$rec_start" 'BEGIN { printf "%.3f", t / 1000 + o - s }'; }
# The last step of the game logged before a time of the recording.
step_before() {
  awk -v t="$1" -v o="$mono_offset" -v s="$rec_start" '
    $3 == "painted" || $4 == "tmrNTel2" || $3 == "video" { next }
    { at = $2 / 1000 + o - s; if (at > t) exit; line = $0; sub(/^[^ ]+ [^ ]+ /, "", line) }
    $4 == "set" { file[$3] = $6; sub(/.*\//, "", file[$3]); next }
    $4 == "play" { line = line " " file[$3] }
    { what = line }
    END { print what }' "$work/game.log"
}

# ---------------------------------------------------------------- silence map
"$meter" "$work/rec.wav" quiet "$QUIET_DB" "$LONGEST_QUIET" >"$work/quiet.txt"
map=${KVZ_E2E_SILENCE:-$work/silence.txt}
: >"$map"
faults=0
esc_at=$(rec_at "$t_esc")
for game in 1 2; do
  eval "from=\$(rec_at \${game$game[0]}) to=\$(rec_at \${game$game[1]})"
  while read -r a b; do
    inside=$(awk -v a="$a" -v b="$b" -v f="$from" -v t="$to" 'BEGIN { print (b > f && a < t) ? 1 : 0 }')
    ((inside)) || continue
    why=fault
    # The confirmed Esc: silent from the confirmation until the menu, 3 s and a little.
    if ((game == 2)) && awk -v a="$a" -v b="$b" -v e="$esc_at" -v q="$ESC_QUIET" \
      'BEGIN { exit !(a >= e - 0.5 && b <= e + q + 1.0) }'; then why="exception: after a confirmed Esc"; fi
    line=$(printf 'game %s: %7.2f-%7.2f s (%.2f s) after "%s" - %s' "$game" "$a" "$b" \
      "$(awk -v a="$a" -v b="$b" 'BEGIN { print b - a }')" "$(step_before "$a")" "$why")
    echo "$line" | tee -a "$map"
    [ "$why" = fault ] && faults=$((faults + 1))
  done <"$work/quiet.txt"
done
[ -s "$map" ] || note "no stretch over $LONGEST_QUIET s without sound in either game"

# ---------------------------------------------------------------- the poll's closing cue
# The handler that shows the bars logs "poll result"; Qt paints them in the same turn of the
# event loop (the log marks only a window's first paint).
bars_log=$(log_time "poll result")
[ -n "$bars_log" ] || fail "the timing log has no poll result"
bars=$(rec_of_log "$bars_log")
if cue=$("$meter" "$work/rec.wav" onset "$(awk -v b="$bars" 'BEGIN { print b - 1 }')" \
  "$(awk -v b="$bars" 'BEGIN { print b + 1 }')"); then
  cue_ms=$(awk -v c="$cue" -v b="$bars" 'BEGIN { printf "%d", (c - b) * 1000 }')
  note "the poll's closing cue is heard $cue_ms ms after the bars are drawn"
  record "poll.cue $cue_ms 0"
  ((cue_ms >= -CUE_TOL_MS && cue_ms <= CUE_TOL_MS)) || {
    echo "e2e: the poll's closing cue is $cue_ms ms off the bars (±$CUE_TOL_MS)" >&2
    faults=$((faults + 1))
  }
else
  echo "e2e: no sound within 1 s of the poll's bars" >&2
  faults=$((faults + 1))
fi

# ---------------------------------------------------------------- each effect's loudness
# Every play of the effect player, from the timing log: its file, from its play until the next
# play or stop, at most the file's length.
awk '$3 == "effects" && $4 == "set" { file = $6; sub(/.*\//, "", file) }
     $3 == "effects" && ($4 == "play" || $4 == "stop") { if (start) print file0, start, $2; start = 0 }
     $3 == "effects" && $4 == "play" { start = $2; file0 = file }
     END { if (start) print file0, start, "" }' "$work/game.log" >"$work/plays.txt"
while read -r file start end; do
  a=$(rec_of_log "$start")
  length=$(soxi -D "$game_dir/snd/$file")
  b=$(awk -v a="$a" -v l="$length" -v e="${end:-0}" -v o="$mono_offset" -v s="$rec_start" \
    'BEGIN { b = a + l; if (e > 0 && e / 1000 + o - s < b) b = e / 1000 + o - s; printf "%.3f", b }')
  read -r lufs _ < <("$meter" "$work/rec.wav" loudness "$a" "$b")
  off=$(awk -v l="$lufs" -v t="$EFFECT_LUFS" 'BEGIN { printf "%.1f", l - t }')
  printf 'e2e: %-11s at %7.2f s for %5.2f s: %6.1f LUFS (%+.1f LU)\n' "$file" "$a" \
    "$(awk -v a="$a" -v b="$b" 'BEGIN { print b - a }')" "$lufs" "$off"
  awk -v d="$off" -v t="$LOUDNESS_TOL" 'BEGIN { exit !(d <= t && d >= -t) }' || faults=$((faults + 1))
done <"$work/plays.txt"

# The music alone, from half a second after it starts at question 1 (its player starts late)
# to the first effect: it lies 7 LU under the effects.
read -r m0 m1 < <(awk '$3 == "music" && $4 == "play" && !m { m = $2 }
  m && $3 == "effects" && $4 == "play" { print m + 500, $2; exit }' "$work/game.log")
read -r lufs _ < <("$meter" "$work/rec.wav" loudness "$(rec_of_log "$m0")" "$(rec_of_log "$m1")")
note "the music alone for $(((m1 - m0) / 1000)) s: $lufs LUFS (target $MUSIC_LUFS)"
awk -v l="$lufs" -v t="$MUSIC_LUFS" -v d="$LOUDNESS_TOL" 'BEGIN { exit !(l - t <= d && t - l <= d) }' ||
  faults=$((faults + 1))

((faults == 0)) || fail "$faults faults in the sound of the games (above)"
note "passed: no silence over $LONGEST_QUIET s outside the exceptions, the poll's cue on its bars, every effect at its loudness"
