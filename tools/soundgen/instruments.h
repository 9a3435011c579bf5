#pragma once

// The voices the sounds are built from. Each returns a mono buffer that starts sounding at
// its first sample and ends when the voice has died away.

#include <cstdint>

#include "soundgen/dsp.h"

namespace kvz::soundgen {

struct BrassNote {
  double freq = 440;
  double length = 0.5;      // until the release starts
  double brightness = 1.0;  // 0 dark .. 1.5 blazing
  double glide = 0.0;       // semitones reached by the end of the note (negative falls)
  double vibrato = 0.0;     // depth in semitones, sets in after the attack
};
// Two detuned saws through a low-pass whose opening follows the attack, like a brass section.
Samples brass(const BrassNote& note, int rate);
// Mixes a brass note given as a note number (A4 = 69) into a stereo sound.
void mixBrass(Stereo& out, int rate, double at, double note, double length, double gain, double pan,
              double brightness = 1.0, double glide = 0.0, double vibrato = 0.0);

// Struck metal: inharmonic partials, the higher ones dying first (glockenspiel, chime).
Samples bell(double freq, double t60, int rate);

// Two-operator FM with a decaying index; ratio sets the colour (1.4 metallic, 3.5 bright).
Samples fmPluck(double freq, double ratio, double index, double t60, int rate);

// Sustained, slowly breathing chord of detuned saws through a gentle low-pass.
Samples pad(const std::vector<double>& freqs, double length, double attack, double release,
            double cutoff, int rate, std::uint32_t seed = 7);

// A falling sine: kick drum, boom, timpani body.
Samples boom(double startHz, double endHz, double t60, int rate);

// Noise through a band-pass whose centre moves from `fromHz` to `toHz` (exponentially),
// shaped by `shape(t)`.
Samples sweptNoise(double seconds, double fromHz, double toHz, double q, int rate,
                   const std::function<double(double)>& shape, std::uint32_t seed = 3);

// Noise through a high-pass, with a percussive envelope (hi-hat, tick, cymbal).
Samples hiss(double cutoff, double attack, double t60, int rate, std::uint32_t seed = 5);

}  // namespace kvz::soundgen
