// The two verdicts that end a game, each carrying on under its winnings plate: the wrong
// answer to the 0 Kč plate, the top prize through the whole time its plate is shown.

#include <cmath>

#include "game/durations.h"
#include "soundgen/instruments.h"
#include "soundgen/sounds.h"

namespace kvz::soundgen {

namespace {

constexpr int kRate = kEffectRate;

// A square-wave buzz under a brass stab, following its glide down.
Samples buzz(double root, double length, double glide) {
  Phase phase;
  Biquad lp;
  lp.set(Biquad::Kind::LowPass, 900, 0.8, kRate);
  const Adsr env{0.005, 0.1, 0.8, 0.15};
  const double f0 = midiHz(root - 12), total = env.end(length);
  return render(total, kRate, [&, f0, total](double t) {
    const double f = f0 * std::pow(2.0, glide * t / total / 12.0);
    return lp.process(squareBlep(phase.next(f, kRate), f / kRate)) * env.at(t, length);
  });
}

}  // namespace

Stereo wrongAnswer() {
  const double plate = seconds(round::kAfterWrongMs);
  const double end = seconds(round::kWrongToMenuMs) - kEffectMarginSeconds - kEffectPadSeconds;
  Stereo out;
  // Two diminished brass stabs, the second a semitone lower, sagging with a growing wobble.
  struct Stab {
    double at, root, length, glide;
  };
  constexpr Stab kStabs[] = {{0.0, 46, 0.2, 0.0}, {0.3, 45, 0.6, -1.5}};
  for (const Stab& stab : kStabs) {
    for (double step : {0.0, 3.0, 6.0, 12.0})
      mixBrass(out, kRate, stab.at, stab.root + step, stab.length, 0.3, (step - 5) / 12, 1.0, stab.glide, 0.3);
    mix(out, buzz(stab.root, stab.length, stab.glide), stab.at, kRate, 0.3);
    mix(out, boom(110, 45, 0.4, kRate), stab.at, kRate, 0.4);
  }
  // The sad trombone walks down to the plate, the last note sagging.
  struct Step {
    double at, note, length, glide;
  };
  const Step kWalk[] = {{1.1, 58, 0.3, 0}, {1.5, 57, 0.3, 0}, {1.9, 56, 0.3, 0}, {2.3, 55, plate - 2.45, -1.0}};
  for (const Step& s : kWalk) {
    mixBrass(out, kRate, s.at, s.note, s.length, 0.35, -0.2, 0.8, s.glide, 0.45);
    mixBrass(out, kRate, s.at, s.note - 12, s.length, 0.2, 0.2, 0.6, s.glide, 0.3);
  }
  // The 0 Kč plate: a low, dark hit that dies away before the menu.
  mix(out, boom(70, 35, 2.2, kRate), plate, kRate, 0.7);
  mix(out, pad({midiHz(31), midiHz(43), midiHz(50), midiHz(55), midiHz(58)}, 0.8, 0.01, end - plate - 0.8, 700, kRate, 17),
      plate, kRate, 0.35);
  mix(out, bell(midiHz(55), end - plate, kRate), plate, kRate, 0.08);
  Reverb(kRate, 0.5, 0.6).process(out, 0.6);
  cut(out, end, kRate);
  return out;
}

Stereo finalWin() {
  const double plate = seconds(round::kRightToWinningsMs);
  const double end = seconds(round::kTopToMenuMs) - kEffectMarginSeconds - kEffectPadSeconds;
  Stereo out;
  struct Note {
    double at, note, length;
  };
  // The verdict: G4 C5 E5 G5 (held), E5 G5, then the big C major up to the plate.
  constexpr Note kCall[] = {{0.0, 67, 0.1}, {0.14, 72, 0.1}, {0.28, 76, 0.1}, {0.42, 79, 0.32},
                            {0.8, 76, 0.1}, {0.94, 79, 0.1}, {1.1, 84, 0.9}};
  for (const Note& n : kCall) {
    mixBrass(out, kRate, n.at, n.note, n.length, 0.4, 0.1, 1.3);
    mixBrass(out, kRate, n.at, n.note - 12, n.length, 0.25, -0.1, 1.0);
  }
  for (double n : {48.0, 60.0, 64.0, 67.0, 72.0}) mixBrass(out, kRate, 1.1, n, 0.9, 0.2, (n - 64) / 20, 1.1);
  mix(out, boom(150, 65, 0.8, kRate), 0.0, kRate, 0.45);
  for (int i = 0; i < 10; ++i) mix(out, boom(120, 65, 0.3, kRate), 0.55 + i * 0.055, kRate, 0.1 + 0.03 * i);
  mix(out, boom(110, 45, 1.5, kRate), 1.1, kRate, 0.6);
  mix(out, hiss(5000, 0.002, 1.5, kRate, 11), 1.1, kRate, 0.2, -0.3);
  // The plate: the winner's theme, four bars at 120 a minute, into a held C major.
  constexpr double kBeat = 0.5;
  constexpr Note kTheme[] = {{0, 72, 1.3},  {1.5, 67, 0.4}, {2, 72, 0.4},  {2.5, 76, 0.4}, {3, 79, 0.9},
                             {4, 81, 0.9},  {5, 79, 0.4},  {5.5, 76, 0.4}, {6, 77, 0.9},  {7, 74, 0.9},
                             {8, 76, 0.4},  {8.5, 77, 0.4}, {9, 79, 0.9},  {10, 76, 0.4}, {10.5, 74, 0.4},
                             {11, 71, 0.9}, {12, 72, 0}};
  const double finale = plate + 12 * kBeat, hold = end - finale - 0.6;
  for (const Note& n : kTheme) {
    const double length = n.length > 0 ? n.length * kBeat : hold;
    mixBrass(out, kRate, plate + n.at * kBeat, n.note, length, 0.4, 0.1, 1.3, 0.0, n.length > 0.8 ? 0.15 : 0.0);
    mixBrass(out, kRate, plate + n.at * kBeat, n.note - 12, length, 0.2, -0.1, 1.0);
  }
  struct Chord {
    double beat;
    double notes[4];
  };
  constexpr Chord kChords[] = {{0, {48, 55, 60, 64}},  {4, {41, 57, 60, 65}}, {6, {43, 55, 59, 62}},
                               {8, {45, 57, 60, 64}}, {10, {43, 53, 59, 62}}};
  for (const Chord& c : kChords) {
    for (int beat = 0; beat < (c.beat < 4 ? 4 : 2); ++beat) {
      const double at = plate + (c.beat + beat) * kBeat;
      for (double n : c.notes) mixBrass(out, kRate, at, n + 12, 0.15, 0.12, (n - 55) / 20, 0.9);
      mix(out, boom(100, 48, 0.35, kRate), at, kRate, beat == 0 ? 0.5 : 0.3);
      mix(out, hiss(8000, 0.0005, 0.05, kRate, 80 + beat), at + kBeat / 2, kRate, 0.12, 0.3);
    }
  }
  mix(out, hiss(4500, 0.002, 2.0, kRate, 12), plate, kRate, 0.25, 0.3);
  // A timpani roll into the finale, the cymbal on it, the chord held, a chime run on top.
  for (int i = 0; i < 16; ++i) mix(out, boom(120, 65, 0.3, kRate), finale - 1.0 + i * 0.0625, kRate, 0.08 + 0.02 * i);
  for (double n : {36.0, 48.0, 55.0, 60.0, 64.0, 67.0, 72.0}) mixBrass(out, kRate, finale, n, hold, 0.2, (n - 60) / 20, 1.2);
  mix(out, boom(110, 45, 2.0, kRate), finale, kRate, 0.7);
  mix(out, hiss(5000, 0.002, 3.0, kRate, 13), finale, kRate, 0.25, -0.3);
  mix(out, hiss(6000, 0.002, 3.0, kRate, 14), finale, kRate, 0.25, 0.3);
  constexpr double kRun[] = {84, 88, 91, 96, 100};
  for (int i = 0; i < 5; ++i) mix(out, bell(midiHz(kRun[i]), 1.5, kRate), finale + 0.05 + i * 0.06, kRate, 0.12, -0.6 + i * 0.3);
  Reverb(kRate, 0.7, 0.35).process(out, 0.9);
  cut(out, end, kRate);
  return out;
}

}  // namespace kvz::soundgen
