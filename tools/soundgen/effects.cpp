#include <cmath>

#include "soundgen/instruments.h"
#include "soundgen/sounds.h"

namespace kvz::soundgen {

namespace {

constexpr int kRate = kEffectRate;

}  // namespace

Stereo rightAnswer() {
  Stereo out;
  // D major, climbing: D5 F#5 A5 D6, each with a chime on top, then the full chord.
  constexpr double kArp[] = {74, 78, 81, 86};
  constexpr double kStep = 0.075;
  for (int i = 0; i < 4; ++i) {
    const double at = i * kStep;
    const double pan = -0.5 + i * 0.33;
    mix(out, bell(midiHz(kArp[i]), 0.9, kRate), at, kRate, 0.35, pan);
    mixBrass(out, kRate, at, kArp[i] - 12, 0.1, 0.35, pan, 1.3);
  }
  constexpr double kChordAt = 4 * kStep;
  for (double n : {50.0, 62.0, 66.0, 69.0, 74.0}) mixBrass(out, kRate, kChordAt, n, 0.65, 0.3, (n - 62) / 24, 1.2);
  mix(out, fmPluck(midiHz(86), 3.5, 1.2, 0.8, kRate), kChordAt, kRate, 0.12, 0.4);
  mix(out, boom(140, 60, 0.4, kRate), 0.0, kRate, 0.35);
  Reverb(kRate, 0.55, 0.4).process(out, 0.9);
  cut(out, 1.3, kRate);
  return out;
}

Stereo phoneHangUp() {
  Stereo out;
  // The click of the receiver, then two falling beeps.
  mix(out, hiss(800, 0.0005, 0.04, kRate, 31), 0.0, kRate, 0.6);
  mix(out, boom(300, 120, 0.06, kRate), 0.0, kRate, 0.5);
  auto beep = [](double freq, double length) {
    const Adsr env{0.006, 0.02, 0.9, 0.03};
    return render(env.end(length), kRate, [=](double t) {
      return env.at(t, length) * (std::sin(kTwoPi * freq * t) + 0.25 * std::sin(kTwoPi * 2 * freq * t));
    });
  };
  mix(out, beep(880, 0.14), 0.05, kRate, 0.5);
  mix(out, beep(587, 0.22), 0.26, kRate, 0.5);
  cut(out, 0.55, kRate);
  return out;
}

Stereo fiftyFifty() {
  Stereo out;
  // A zap falling from high to low, over a noise whoosh that sweeps up and back.
  Phase carrier;
  mix(out,
      render(0.32, kRate,
             [&](double t) {
               const double f = 150 + 1900 * std::exp(-t / 0.07);
               const double mod = 1.5 * std::sin(kTwoPi * f * 0.5 * t);
               return percussive(t, 0.001, 0.32) * std::sin(kTwoPi * carrier.next(f, kRate) + mod);
             }),
      0.0, kRate, 0.5);
  constexpr double kWhoosh = 0.5;
  const Samples air = sweptNoise(kWhoosh, 300, 6000, 3.0, kRate, [](double t) {
    return std::sin(std::numbers::pi * std::min(1.0, t / kWhoosh)) * (0.3 + t);
  });
  mixSweep(out, air, 0.0, kRate, 0.7, -0.8, 0.8);
  Reverb(kRate, 0.3, 0.5).process(out, 0.4);
  cut(out, 0.6, kRate);
  return out;
}

Stereo studioLights() {
  Stereo out;
  // The swell: a rising noise wash, a riser tone and a pad opening up; then the hit.
  constexpr double kHit = 1.7;
  const Samples wash =
      sweptNoise(kHit, 1500, 9000, 0.8, kRate, [](double t) { return 0.08 + 0.9 * std::pow(t / kHit, 2.5); }, 51);
  mix(out, wash, 0.0, kRate, 0.5, -0.2);
  mix(out, wash, 0.013, kRate, 0.5, 0.2);
  Phase riser;
  mix(out,
      render(kHit, kRate,
             [&](double t) {
               const double f = 220 * std::pow(4.0, t / kHit);
               return (0.1 + 0.5 * t / kHit) * std::sin(kTwoPi * riser.next(f, kRate));
             }),
      0.0, kRate, 0.25);
  mix(out, pad({midiHz(50), midiHz(57), midiHz(62), midiHz(64)}, kHit, 0.02, 0.05, 1800, kRate), 0.0, kRate, 0.45);
  mix(out, boom(80, 40, 0.5, kRate), 0.0, kRate, 0.3);
  // The hit: D major blazing, a deep boom, a crash and a chime on top.
  for (double n : {38.0, 50.0, 62.0, 66.0, 69.0, 74.0, 78.0}) mixBrass(out, kRate, kHit, n, 0.5, 0.25, (n - 60) / 25, 1.5);
  mix(out, boom(120, 40, 1.4, kRate), kHit, kRate, 0.8);
  mix(out, hiss(4000, 0.001, 1.6, kRate, 52), kHit, kRate, 0.3, -0.3);
  mix(out, hiss(5000, 0.001, 1.5, kRate, 53), kHit, kRate, 0.3, 0.3);
  mix(out, bell(midiHz(90), 1.3, kRate), kHit, kRate, 0.2);
  Reverb(kRate, 0.75, 0.3).process(out, 1.0);
  cut(out, 3.3, kRate);
  return out;
}

}  // namespace kvz::soundgen
