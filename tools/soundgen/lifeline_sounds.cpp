// The two long lifeline sounds, each laid over its sequence: the poll from the click to just
// before the music returns, the call from the click to its thirty-second cut.

#include <algorithm>
#include <cmath>

#include "lifelines/durations.h"
#include "soundgen/instruments.h"
#include "soundgen/sounds.h"

namespace kvz::soundgen {

namespace {

constexpr int kRate = kEffectRate;

// A minor arpeggio of the voting, shifted per phrase.
constexpr double kVoteArp[] = {57, 60, 64, 69, 64, 60, 64, 69};

// Sixteenths of the voting from `from` to `to` at `beat`: kick, ticks and the arpeggio, the
// arpeggio brighter and louder as `rise` goes from `riseFrom` to `riseTo`. Nothing starts
// after `stop`, so the closing cue can come out of a breath.
struct VotePhrase {
  double from, to, beat;
  double riseFrom, riseTo;
  const double* shifts;  // semitones, one per two bars
  bool backbeat;
};
void vote(Stereo& out, const VotePhrase& p, double stop) {
  const double sixteenth = p.beat / 4;
  const int steps = static_cast<int>(std::lround((p.to - p.from) / sixteenth));
  for (int i = 0; i < steps; ++i) {
    const double at = p.from + i * sixteenth;
    if (at >= stop) break;
    const double rise = p.riseFrom + (p.riseTo - p.riseFrom) * i / steps;
    if (i % 4 == 0) mix(out, boom(90, 45, 0.35, kRate), at, kRate, 0.5);
    if (p.backbeat && i % 8 == 4) mix(out, hiss(1800, 0.001, 0.18, kRate, 60 + i), at, kRate, 0.22);
    mix(out, hiss(7000, 0.0005, 0.04, kRate, 40 + i), at, kRate, i % 4 == 2 ? 0.16 : 0.08, i % 2 ? 0.4 : -0.4);
    const double note = kVoteArp[i % 8] + p.shifts[i / 32] + 12;
    mix(out, fmPluck(midiHz(note), 1.0, 1.0 + 2.5 * rise, 0.2, kRate), at, kRate, 0.1 + 0.1 * rise, (i % 3 - 1) * 0.3);
  }
}

// A chord of struck bells and a deep boom: the poll's marks.
void chime(Stereo& out, double at, std::initializer_list<double> notes, double gain) {
  for (double n : notes) mix(out, bell(midiHz(n), 1.4, kRate), at, kRate, gain, (n - 86) / 10);
  mix(out, boom(120, 55, 0.8, kRate), at, kRate, 0.5);
}

}  // namespace

Stereo audiencePoll() {
  using namespace lifelines;
  const double graph = seconds(kPollEmptyGraphMs), bars = seconds(kPollBarsAtMs);
  const double end = seconds(kPollMusicAtMs) - kEffectMarginSeconds - kEffectPadSeconds;
  // The breath before the closing cue: the drums and the arpeggio rest, the pad holds.
  constexpr double kBreath = 0.35;
  Stereo out;
  // Voting opens: a minor stab, then four bars of a quiet pulse up to the empty graph.
  for (double n : {45.0, 57.0, 60.0, 64.0}) mixBrass(out, kRate, 0.0, n, 0.3, 0.25, (n - 57) / 12, 1.2);
  static constexpr double kCalm[] = {0, 0};
  vote(out, {0.0, graph, graph / 16, 0.0, 0.3, kCalm, false}, graph);
  mix(out, pad({midiHz(45), midiHz(52), midiHz(57), midiHz(60)}, graph, 1.0, 0.4, 900, kRate), 0.0, kRate, 0.35);
  // The empty graph: a sweep into a bright chime, and the voting picks up, a tone higher,
  // climbing every two bars over eight bars up to the bars.
  mix(out, sweptNoise(0.8, 800, 7000, 1.5, kRate, [](double t) { return std::pow(t / 0.8, 2.0) * 0.5; }), graph - 0.8,
      kRate, 0.5);
  chime(out, graph, {76.0, 80.0, 83.0, 88.0}, 0.16);
  static constexpr double kClimb[] = {2, 3, 5, 7};
  vote(out, {graph, bars, (bars - graph) / 32, 0.3, 1.0, kClimb, true}, bars - kBreath);
  for (int k = 0; k < 4; ++k) {
    const double from = graph + k * (bars - graph) / 4, root = 47 + kClimb[k];
    const double length = (bars - graph) / 4 - (k == 3 ? kBreath : 0.0);
    mix(out, pad({midiHz(root), midiHz(root + 7), midiHz(root + 12), midiHz(root + 15)}, length, 0.3, 0.3, 1100, kRate),
        from, kRate, 0.35);
  }
  const double riser = (bars - graph) / 4;
  mix(out, sweptNoise(riser - kBreath, 500, 6000, 2.0, kRate,
                      [&](double t) { return 0.35 * std::pow(t / (riser - kBreath), 3.0); }),
      bars - riser, kRate, 0.5);
  // Voting closed, the bars are up: a major chord of brass and chimes rings out.
  chime(out, bars, {81.0, 85.0, 88.0, 93.0}, 0.2);
  for (double n : {57.0, 64.0, 69.0, 73.0, 76.0}) mixBrass(out, kRate, bars, n, 0.35, 0.25, (n - 66) / 12, 1.3);
  mix(out, hiss(5000, 0.001, 1.2, kRate, 61), bars, kRate, 0.2, -0.3);
  mix(out, hiss(6000, 0.001, 1.1, kRate, 62), bars, kRate, 0.2, 0.3);
  Reverb(kRate, 0.5, 0.4).process(out, 0.6);
  cut(out, end, kRate);
  return out;
}

Stereo phoneRing() {
  using namespace lifelines;
  const double pickUp = seconds(kCallPickUpMs);
  const double end = seconds(kCallCutAtMs) - kEffectPadSeconds;
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
      mix(out, bell(first ? 1310 : 1460, 0.35, kRate), at, kRate, 0.5, first ? -0.2 : 0.2);
      mix(out, hiss(3000, 0.0005, 0.01, kRate, 20 + k), at, kRate, 0.1);
    }
  }
  // The pick-up: the receiver's click.
  mix(out, hiss(900, 0.0005, 0.05, kRate, 30), pickUp, kRate, 0.4);
  mix(out, boom(250, 110, 0.08, kRate), pickUp, kRate, 0.4);
  // The countdown: a clock tick every second with the video's numbers, over a low drone
  // that opens up; a heartbeat joins after ten seconds, a second tick after twenty.
  const double call = end - pickUp;
  const int ticks = kCallLongestMs / 1000;
  for (int k = 0; k < ticks; ++k) {
    const double at = pickUp + k, tension = static_cast<double>(k) / ticks;
    mix(out, fmPluck(k % 2 ? 1568 : 1760, 3.5, 1.5, 0.08, kRate), at, kRate, 0.6 + 0.1 * tension, k % 2 ? 0.3 : -0.3);
    mix(out, fmPluck(k % 2 ? 784 : 880, 2.0, 1.0, 0.15, kRate), at, kRate, 0.5 + 0.1 * tension, k % 2 ? 0.2 : -0.2);
    mix(out, hiss(4000, 0.0005, 0.03, kRate, 70 + k), at, kRate, 0.15);
    if (k >= 10) mix(out, boom(80, 42, 0.3, kRate), at + 0.5, kRate, 0.2 + 0.1 * tension);
    if (k >= 10) mix(out, boom(80, 42, 0.3, kRate), at + 0.72, kRate, 0.12 + 0.06 * tension);
    if (k >= 20) mix(out, fmPluck(2093, 3.5, 1.0, 0.06, kRate), at + 0.5, kRate, 0.12 + 0.15 * tension);
  }
  Phase phases[6];
  constexpr double kDrone[] = {38, 45, 50, 53, 57, 62};  // D minor, the upper notes fading in
  Biquad filter;
  const Samples drone = render(call, kRate, [&](double t) {
    const double tension = t / call;
    filter.set(Biquad::Kind::LowPass, 250 + 2500 * tension * tension, 0.9, kRate);
    double x = 0;
    for (int v = 0; v < 6; ++v) {
      const double f = midiHz(kDrone[v] + tension * 2.0) * (1.0 + 0.002 * v);
      const double weight = v < 3 ? 1.0 : std::clamp(tension * 3.0 - (v - 3), 0.0, 1.0);
      x += weight * sawBlep(phases[v].next(f, kRate), f / kRate);
    }
    const double swell = std::min(1.0, t / 1.5) * (1.0 - 0.2 * tension);
    return filter.process(x) * swell * (1.0 + 0.1 * std::sin(kTwoPi * 0.3 * t));
  });
  mix(out, drone, pickUp, kRate, 0.35);
  Reverb(kRate, 0.25, 0.5).process(out, 0.35);
  cut(out, end, kRate);
  return out;
}

}  // namespace kvz::soundgen
