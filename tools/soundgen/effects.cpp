#include <cmath>

#include "soundgen/instruments.h"
#include "soundgen/sounds.h"

namespace kvz::soundgen {

namespace {

constexpr int kRate = kEffectRate;

void addBrass(Stereo& out, double at, double note, double length, double gain, double pan,
              double brightness = 1.0, double glide = 0.0, double vibrato = 0.0) {
  mix(out, brass({midiHz(note), length, brightness, glide, vibrato}, kRate), at, kRate, gain, pan);
}

// Cuts the sound at `seconds` (fading its last part), sets the level and adds the silence.
void finish(Stereo& s, double seconds, double fade) {
  s.ensure(toSamples(seconds, kRate));
  s.left.resize(toSamples(seconds, kRate));
  s.right.resize(toSamples(seconds, kRate));
  finishEffect(s, kRate, kEffectPeakDb, fade, kEffectPadSeconds);
}

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
    addBrass(out, at, kArp[i] - 12, 0.1, 0.35, pan, 1.3);
  }
  constexpr double kChordAt = 4 * kStep;
  for (double n : {50.0, 62.0, 66.0, 69.0, 74.0}) addBrass(out, kChordAt, n, 0.65, 0.3, (n - 62) / 24, 1.2);
  mix(out, fmPluck(midiHz(86), 3.5, 1.2, 0.8, kRate), kChordAt, kRate, 0.12, 0.4);
  mix(out, boom(140, 60, 0.4, kRate), 0.0, kRate, 0.35);
  Reverb(kRate, 0.55, 0.4).process(out, 0.9);
  finish(out, 1.3, 0.25);
  return out;
}

Stereo wrongAnswer() {
  Stereo out;
  // Two diminished brass stabs, the second a semitone lower, sagging with a growing
  // wobble, over a square-wave buzz that follows them down.
  struct Stab {
    double at, root, length, glide;
  };
  constexpr Stab kStabs[] = {{0.0, 46, 0.2, 0.0}, {0.3, 45, 0.75, -1.5}};
  for (const Stab& stab : kStabs) {
    for (double step : {0.0, 3.0, 6.0, 12.0}) {
      addBrass(out, stab.at, stab.root + step, stab.length, 0.3, (step - 5) / 12, 1.0, stab.glide, 0.3);
    }
    Phase phase;
    Biquad lp;
    lp.set(Biquad::Kind::LowPass, 900, 0.8, kRate);
    const Adsr env{0.005, 0.1, 0.8, 0.15};
    const double f0 = midiHz(stab.root - 12);
    mix(out,
        render(env.end(stab.length), kRate,
               [&](double t) {
                 const double f = f0 * std::pow(2.0, stab.glide * t / env.end(stab.length) / 12.0);
                 return lp.process(squareBlep(phase.next(f, kRate), f / kRate)) * env.at(t, stab.length);
               }),
        stab.at, kRate, 0.3);
    mix(out, boom(110, 45, 0.4, kRate), stab.at, kRate, 0.4);
  }
  Reverb(kRate, 0.4, 0.6).process(out, 0.6);
  finish(out, 1.3, 0.2);
  return out;
}

Stereo finalWin() {
  Stereo out;
  // Melody: G4 C5 E5 G5 (held), E5 G5, then the big C major.
  struct Note {
    double at, note, length;
  };
  constexpr Note kMelody[] = {{0.0, 67, 0.1}, {0.14, 72, 0.1}, {0.28, 76, 0.1}, {0.42, 79, 0.32},
                              {0.8, 76, 0.1}, {0.94, 79, 0.1}, {1.1, 84, 1.8}};
  for (const Note& n : kMelody) {
    addBrass(out, n.at, n.note, n.length, 0.4, 0.1, 1.3);
    addBrass(out, n.at, n.note - 12, n.length, 0.25, -0.1, 1.0);
  }
  for (double n : {60.0, 64.0, 67.0}) addBrass(out, 0.42, n, 0.32, 0.2, (n - 64) / 10);
  for (double n : {65.0, 69.0, 72.0}) addBrass(out, 0.8, n, 0.25, 0.2, (n - 69) / 10);
  for (double n : {48.0, 60.0, 64.0, 67.0, 72.0, 76.0}) addBrass(out, 1.1, n, 1.8, 0.22, (n - 64) / 20, 1.2);
  // Timpani on the downbeats, a roll swelling into the last chord, the cymbal on it.
  mix(out, boom(150, 65, 0.8, kRate), 0.0, kRate, 0.45);
  for (int i = 0; i < 10; ++i) {
    const double at = 0.55 + i * 0.055;
    mix(out, boom(120, 65, 0.3, kRate), at, kRate, 0.1 + 0.03 * i, 0.0);
  }
  mix(out, boom(110, 45, 1.5, kRate), 1.1, kRate, 0.7);
  mix(out, hiss(5000, 0.002, 2.2, kRate, 11), 1.1, kRate, 0.25, -0.3);
  mix(out, hiss(6000, 0.002, 2.0, kRate, 12), 1.1, kRate, 0.25, 0.3);
  // Sparkle: a quick chime run up through C major over the last chord.
  constexpr double kRun[] = {84, 88, 91, 96, 100};
  for (int i = 0; i < 5; ++i) mix(out, bell(midiHz(kRun[i]), 1.2, kRate), 1.15 + i * 0.06, kRate, 0.12, -0.6 + i * 0.3);
  Reverb(kRate, 0.7, 0.35).process(out, 1.0);
  finish(out, 3.6, 0.45);
  return out;
}

Stereo phoneRing() {
  Stereo out;
  // A hammer swings between two bells at 25 strikes a second; each ring is a burst of
  // strikes, and the bells ring on a little after the hammer stops.
  constexpr double kStrikeRate = 25.0;
  constexpr double kRingOn = 0.4;
  constexpr double kRings[] = {0.0, 0.55, 1.2, 1.75, 2.4, 2.95};
  for (double start : kRings) {
    const int strikes = static_cast<int>(kRingOn * kStrikeRate);
    for (int k = 0; k < strikes; ++k) {
      const bool first = k % 2 == 0;
      const double at = start + k / kStrikeRate;
      mix(out, bell(first ? 1310 : 1460, 0.35, kRate), at, kRate, 0.3, first ? -0.2 : 0.2);
      mix(out, hiss(3000, 0.0005, 0.01, kRate, 20 + k), at, kRate, 0.08);
    }
  }
  Reverb(kRate, 0.2, 0.5).process(out, 0.3);
  finish(out, 3.3, 0.1);
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
  finish(out, 0.55, 0.02);
  return out;
}

Stereo audiencePoll() {
  Stereo out;
  // 140 beats a minute: a heartbeat kick on the beat, ticks on the sixteenths, and an A
  // minor arpeggio whose filter opens and whose pitch climbs every bar.
  constexpr double kBeat = 60.0 / 140.0;
  constexpr double kSixteenth = kBeat / 4.0;
  constexpr int kSixteenths = 40;
  constexpr double kArp[] = {57, 60, 64, 69, 64, 60, 64, 69};
  constexpr double kBarShift[] = {0, 1, 3, 5};
  for (int i = 0; i < kSixteenths; ++i) {
    const double at = i * kSixteenth;
    const double rise = static_cast<double>(i) / kSixteenths;
    if (i % 4 == 0) mix(out, boom(90, 45, 0.35, kRate), at, kRate, 0.55);
    mix(out, hiss(7000, 0.0005, 0.04, kRate, 40 + i), at, kRate, i % 4 == 2 ? 0.18 : 0.09, i % 2 ? 0.4 : -0.4);
    const double note = kArp[i % 8] + kBarShift[(i / 16) % 4] + 12;
    mix(out, fmPluck(midiHz(note), 1.0, 1.0 + 2.5 * rise, 0.2, kRate), at, kRate, 0.12 + 0.1 * rise,
        (i % 3 - 1) * 0.3);
  }
  const double end = kSixteenths * kSixteenth;
  mix(out, pad({midiHz(45), midiHz(52), midiHz(57)}, end, 1.5, 0.2, 900, kRate), 0.0, kRate, 0.3);
  mix(out, sweptNoise(end, 500, 6000, 2.0, kRate, [end](double t) { return 0.3 * std::pow(t / end, 3.0); }), 0.0,
      kRate, 0.4);
  // Voting closed: a bright chime chord.
  for (double n : {81.0, 85.0, 88.0, 93.0}) mix(out, bell(midiHz(n), 1.0, kRate), end, kRate, 0.18, (n - 86) / 10);
  mix(out, boom(120, 55, 0.6, kRate), end, kRate, 0.5);
  Reverb(kRate, 0.5, 0.4).process(out, 0.6);
  finish(out, end + 0.9, 0.3);
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
  finish(out, 0.6, 0.1);
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
  for (double n : {38.0, 50.0, 62.0, 66.0, 69.0, 74.0, 78.0}) addBrass(out, kHit, n, 0.5, 0.25, (n - 60) / 25, 1.5);
  mix(out, boom(120, 40, 1.4, kRate), kHit, kRate, 0.8);
  mix(out, hiss(4000, 0.001, 1.6, kRate, 52), kHit, kRate, 0.3, -0.3);
  mix(out, hiss(5000, 0.001, 1.5, kRate, 53), kHit, kRate, 0.3, 0.3);
  mix(out, bell(midiHz(90), 1.3, kRate), kHit, kRate, 0.2);
  Reverb(kRate, 0.75, 0.3).process(out, 1.0);
  finish(out, 3.3, 0.5);
  return out;
}

}  // namespace kvz::soundgen
