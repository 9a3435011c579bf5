# Sounds for check_e2e_game.sh: distinctive test tones in place of the verdict sounds, and the
# onsets of a tone found in a recording.

# Every sound becomes a sine burst of its own frequency, far enough apart to be told apart in
# the recording: the effects loud and short, the music a quiet steady tone longer than any
# stretch it plays, the menu sound silence. The music and an effect together never clip.
readonly TONE_MUSIC=300 TONE_PHONE=700 TONE_WRONG=1100 TONE_5050=1500 TONE_RIGHT=1900
readonly TONE_POLL=2300 TONE_TOP=2700 TONE_PHONE_END=3100
make_test_sounds() {  # snd_dir
  local dir=$1 name freq
  for name in r:$TONE_RIGHT pt:$TONE_TOP w:$TONE_WRONG 50-50:$TONE_5050 div:$TONE_POLL tel:$TONE_PHONE tel-end:$TONE_PHONE_END; do
    freq=${name#*:}
    sox -n -r 44100 -c 2 -b 16 "$dir/${name%%:*}.wav" synth 0.8 sine "$freq" vol 0.6
  done
  sox -n -r 22050 -c 1 -b 16 "$dir/bgm.wav" synth 90 sine "$TONE_MUSIC" vol 0.3
  sox -n -r 44100 -c 2 -b 16 "$dir/lights.wav" trim 0 1
}

# Prints, one a line, the times in ms from the start of the recording at which a tone of the
# frequency starts: a loud sample in a narrow band after at least 300 ms of quiet in it.
tone_onsets() {  # wav frequency_hz
  sox "$1" -t dat - sinc "$(($2 - 150))-$(($2 + 150))" 2>/dev/null | awk '
    /^;/ { next }
    {
      v = $2 < 0 ? -$2 : $2
      if (v > 0.2) {
        if (last == "" || $1 - last > 0.3) printf "%d\n", $1 * 1000
        last = $1
      }
    }'
}
