#include <cmath>

#include "soundgen/instruments.h"
#include "soundgen/sounds.h"

namespace kvz::soundgen {

namespace {

constexpr int kRate = kMusicRate;
constexpr double kBeat = 0.5;  // 120 beats a minute
constexpr int kBeatsPerBar = 4;
constexpr double kBarSeconds = kBeatsPerBar * kBeat;
// 64 s: long enough that one question never hears it come round again.
constexpr int kBars = 32;
constexpr double kLoopSeconds = kBars * kBarSeconds;

// Adds a voice into the loop; what runs past the end comes back in at the start, so the
// loop plays on without a seam.
void mixWrapped(Stereo& loop, const Samples& voice, double atSeconds, double gain, double pan = 0.0) {
  Stereo placed;
  mix(placed, voice, 0.0, kRate, gain, pan);
  std::size_t pos = toSamples(atSeconds, kRate) % loop.size();
  for (std::size_t i = 0; i < placed.size(); ++i) {
    loop.left[pos] += placed.left[i];
    loop.right[pos] += placed.right[i];
    pos = (pos + 1) % loop.size();
  }
}

// Runs the echo and the reverb over three turns of the loop and keeps the last one, whose
// tails are those the loop itself feeds in from its previous turn.
Stereo withRoom(const Stereo& dry) {
  Stereo turns;
  turns.ensure(3 * dry.size());
  for (std::size_t k = 0; k < 3; ++k) {
    std::copy(dry.left.begin(), dry.left.end(), turns.left.begin() + static_cast<long>(k * dry.size()));
    std::copy(dry.right.begin(), dry.right.end(), turns.right.begin() + static_cast<long>(k * dry.size()));
  }
  echo(turns.left, kRate, 3 * kBeat / 4, 0.35, 0.25);
  echo(turns.right, kRate, kBeat, 0.3, 0.2);
  Reverb(kRate, 0.6, 0.5).process(turns, 0.5);
  Stereo out;
  const auto start = static_cast<long>(2 * dry.size());
  out.left.assign(turns.left.begin() + start, turns.left.end());
  out.right.assign(turns.right.begin() + start, turns.right.end());
  return out;
}

struct Chord {
  double root;  // bass note
  double notes[4];
};
// Four bars each: D minor, B flat major seventh, G minor, A suspended; then D minor, F major,
// G minor, A major, so that the second half answers the first.
constexpr Chord kChords[] = {{38, {50, 53, 57, 62}}, {34, {50, 53, 57, 58}}, {31, {50, 55, 58, 62}},
                             {33, {52, 57, 62, 64}}, {38, {50, 53, 57, 62}}, {41, {48, 53, 57, 60}},
                             {31, {50, 55, 58, 62}}, {33, {49, 52, 57, 64}}};
constexpr int kBarsPerChord = kBars / 8;

Samples pulseNote(double freq, double accent) {
  Biquad lp;
  lp.set(Biquad::Kind::LowPass, 420, 0.8, kRate);
  Phase phase;
  return render(0.4, kRate, [&](double t) {
    const double p = phase.next(freq, kRate);
    const double x = std::sin(kTwoPi * p) + 0.5 * sawBlep(p, freq / kRate);
    return lp.process(x) * percussive(t, 0.004, 0.35) * accent;
  });
}

Samples tick(double freq) {
  Samples s = hiss(2500, 0.0005, 0.03, kRate, static_cast<std::uint32_t>(freq));
  mix(s, render(0.05, kRate, [freq](double t) { return percussive(t, 0.0005, 0.05) * std::sin(kTwoPi * freq * t); }),
      0.0, kRate, 0.6);
  return s;
}

}  // namespace

Stereo backgroundLoop() {
  Stereo loop;
  loop.ensure(toSamples(kLoopSeconds, kRate));
  for (int c = 0; c < 8; ++c) {
    const Chord& chord = kChords[c];
    const double at = c * kBarsPerChord * kBarSeconds;
    std::vector<double> freqs;
    for (double n : chord.notes) freqs.push_back(midiHz(n));
    const Samples chordPad = pad(freqs, kBarsPerChord * kBarSeconds, 1.5, 1.5, 800, kRate, 70 + c);
    mixWrapped(loop, chordPad, at, 0.35, -0.35);
    mixWrapped(loop, chordPad, at + 0.011, 0.35, 0.35);
    // The low pulse: eighths on the root, the beat a little stronger.
    for (int e = 0; e < kBarsPerChord * kBeatsPerBar * 2; ++e)
      mixWrapped(loop, pulseNote(midiHz(chord.root), e % 2 == 0 ? 1.0 : 0.55), at + e * kBeat / 2, 0.7);
  }
  // The clock: tick-tock on the beats, a faint tick on the offbeats.
  const Samples tickHigh = tick(1900);
  const Samples tickLow = tick(1500);
  for (int b = 0; b < kBars * kBeatsPerBar; ++b) {
    mixWrapped(loop, b % 2 == 0 ? tickHigh : tickLow, b * kBeat, 0.3, b % 2 == 0 ? -0.2 : 0.2);
    mixWrapped(loop, tickHigh, b * kBeat + kBeat / 2, 0.1, 0.4);
  }
  // Every other bar a quiet bell figure, answered by the echo; in the second half it climbs.
  constexpr double kFigure[] = {81, 86, 89, 88};
  constexpr double kAnswer[] = {81, 84, 86, 89};
  for (int bar = 1; bar < kBars; bar += 2) {
    const double lift = kChords[bar / kBarsPerChord].notes[0] - 50;
    const double* figure = bar < kBars / 2 ? kFigure : kAnswer;
    for (int k = 0; k < 4; ++k) {
      mixWrapped(loop, bell(midiHz(figure[k] + lift), 1.2, kRate), bar * kBarSeconds + k * kBeat / 2, 0.08,
                 -0.5 + k * 0.33);
    }
  }
  return withRoom(loop);
}

}  // namespace kvz::soundgen
