#include <cmath>

#include "soundgen/instruments.h"
#include "soundgen/sounds.h"

namespace kvz::soundgen {

namespace {

constexpr int kRate = kMusicRate;
constexpr double kBeat = 0.5;  // 120 beats a minute
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 16;
constexpr double kLoopSeconds = kBars * kBeatsPerBar * kBeat;
constexpr double kMusicRmsDb = -27.0;
constexpr double kMusicPeakDb = -12.0;

// Adds a voice into the loop; what runs past the end comes back in at the start, so the
// loop plays on without a seam.
void mixWrapped(Samples& loop, const Samples& voice, double atSeconds, double gain) {
  std::size_t pos = toSamples(atSeconds, kRate) % loop.size();
  for (float v : voice) {
    loop[pos] += static_cast<float>(v * gain);
    pos = (pos + 1) % loop.size();
  }
}

// Runs the echo and the reverb over three turns of the loop and keeps the last one, whose
// tails are those the loop itself feeds in from its previous turn.
Samples withRoom(const Samples& dry) {
  Stereo turns;
  for (int k = 0; k < 3; ++k) mix(turns, dry, k * kLoopSeconds, kRate, 1.0);
  echo(turns.left, kRate, 3 * kBeat / 4, 0.35, 0.25);
  echo(turns.right, kRate, 3 * kBeat / 4, 0.35, 0.25);
  Reverb(kRate, 0.6, 0.5).process(turns, 0.5);
  const std::size_t start = 2 * dry.size();
  Samples out(dry.size());
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = 0.5F * (turns.left[start + i] + turns.right[start + i]);
  return out;
}

void setLevel(Samples& s) {
  double gain = dbToGain(kMusicRmsDb) / std::max(1e-9, rms(s));
  gain = std::min(gain, dbToGain(kMusicPeakDb) / std::max(1e-9, peak(s)));
  for (float& v : s) v = static_cast<float>(v * gain);
}

struct Chord {
  double root;  // bass note
  double notes[4];
};
// D minor, B flat major seventh, G minor, A suspended: four bars each.
constexpr Chord kChords[] = {
    {38, {50, 53, 57, 62}}, {34, {50, 53, 57, 58}}, {31, {50, 55, 58, 62}}, {33, {52, 57, 62, 64}}};
constexpr int kBarsPerChord = kBars / 4;

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

Samples backgroundLoop() {
  Samples loop(toSamples(kLoopSeconds, kRate), 0.0F);
  const double barSeconds = kBeatsPerBar * kBeat;
  for (int c = 0; c < 4; ++c) {
    const Chord& chord = kChords[c];
    const double at = c * kBarsPerChord * barSeconds;
    std::vector<double> freqs;
    for (double n : chord.notes) freqs.push_back(midiHz(n));
    mixWrapped(loop, pad(freqs, kBarsPerChord * barSeconds, 1.5, 1.5, 800, kRate, 70 + c), at, 0.5);
    // The low pulse: eighths on the root, the beat a little stronger.
    for (int e = 0; e < kBarsPerChord * kBeatsPerBar * 2; ++e) {
      mixWrapped(loop, pulseNote(midiHz(chord.root), e % 2 == 0 ? 1.0 : 0.55), at + e * kBeat / 2, 0.7);
    }
  }
  // The clock: tick-tock on the beats, a faint tick on the offbeats.
  const Samples tickHigh = tick(1900);
  const Samples tickLow = tick(1500);
  for (int b = 0; b < kBars * kBeatsPerBar; ++b) {
    mixWrapped(loop, b % 2 == 0 ? tickHigh : tickLow, b * kBeat, 0.3);
    mixWrapped(loop, tickHigh, b * kBeat + kBeat / 2, 0.1);
  }
  // Every other bar a quiet bell figure, answered by the echo.
  constexpr double kFigure[] = {81, 86, 89, 88};
  for (int bar = 1; bar < kBars; bar += 2) {
    const double lift = kChords[bar / kBarsPerChord].notes[0] - 50;
    for (int k = 0; k < 4; ++k) {
      mixWrapped(loop, bell(midiHz(kFigure[k] + lift), 1.2, kRate), bar * barSeconds + k * kBeat / 2, 0.08);
    }
  }
  Samples out = withRoom(loop);
  setLevel(out);
  return out;
}

}  // namespace kvz::soundgen
