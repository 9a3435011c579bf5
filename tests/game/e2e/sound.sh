# Sounds for check_e2e_game.sh: distinctive test tones in place of the verdict sounds, and the
# onsets of a tone found in a recording.

# The right, top-prize and wrong sounds become loud sine bursts of 2, 3 and 1 kHz; the music
# and the menu sound become silence, so that nothing else is heard in the recording.
make_test_sounds() {  # snd_dir
  local dir=$1
  sox -n -r 44100 -c 2 -b 16 "$dir/r.wav" synth 0.8 sine 2000 vol 0.7
  sox -n -r 44100 -c 2 -b 16 "$dir/pt.wav" synth 0.8 sine 3000 vol 0.7
  sox -n -r 44100 -c 2 -b 16 "$dir/w.wav" synth 0.8 sine 1000 vol 0.7
  sox -n -r 44100 -c 2 -b 16 "$dir/bgm.wav" trim 0 3
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
