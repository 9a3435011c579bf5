#include "soundgen/instruments.h"

#include <algorithm>
#include <cmath>

namespace kvz::soundgen {

Samples brass(const BrassNote& note, int rate) {
  const Adsr env{0.025, 0.25, 0.75, 0.18};
  const double total = env.end(note.length);
  Phase a;
  Phase b;
  Phase vib;
  Biquad filter;
  Samples out(toSamples(total, rate));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    // A slight scoop up into the pitch, then an optional glide and a delayed vibrato.
    const double scoop = -0.35 * std::exp(-t / 0.02);
    const double glide = note.glide * std::min(1.0, t / std::max(0.001, total));
    const double vibDepth = note.vibrato * std::min(1.0, std::max(0.0, (t - 0.12) / 0.2));
    const double vibrato = vibDepth * std::sin(kTwoPi * vib.next(5.5, rate));
    const double f = note.freq * std::pow(2.0, (scoop + glide + vibrato) / 12.0);
    const double fa = f * 1.0023;
    const double fb = f * 0.9977;
    const double raw = sawBlep(a.next(fa, rate), fa / rate) + sawBlep(b.next(fb, rate), fb / rate);
    const double level = env.at(t, note.length);
    const double open = 1.2 + note.brightness * (2.5 + 5.0 * percussive(t, 0.03, 0.6)) * level;
    filter.set(Biquad::Kind::LowPass, f * open, 0.9, rate);
    out[i] = static_cast<float>(0.5 * filter.process(raw) * level);
  }
  return out;
}

void mixBrass(Stereo& out, int rate, double at, double note, double length, double gain, double pan,
              double brightness, double glide, double vibrato) {
  mix(out, brass({midiHz(note), length, brightness, glide, vibrato}, rate), at, rate, gain, pan);
}

Samples bell(double freq, double t60, int rate) {
  struct Partial {
    double ratio, amp, life;
  };
  static constexpr Partial kPartials[] = {
      {1.0, 1.0, 1.0}, {2.76, 0.5, 0.6}, {5.40, 0.25, 0.35}, {8.93, 0.12, 0.2}, {2.0, 0.2, 0.5}};
  Samples out(toSamples(t60, rate));
  for (const Partial& p : kPartials) {
    const double f = freq * p.ratio;
    if (f > rate * 0.45) continue;
    for (std::size_t i = 0; i < out.size(); ++i) {
      const double t = static_cast<double>(i) / rate;
      out[i] += static_cast<float>(p.amp * percussive(t, 0.001, t60 * p.life) * std::sin(kTwoPi * f * t));
    }
  }
  return out;
}

Samples fmPluck(double freq, double ratio, double index, double t60, int rate) {
  return render(t60, rate, [=](double t) {
    const double env = percussive(t, 0.002, t60);
    const double mod = index * percussive(t, 0.001, t60 * 0.4) * std::sin(kTwoPi * freq * ratio * t);
    return env * std::sin(kTwoPi * freq * t + mod);
  });
}

Samples pad(const std::vector<double>& freqs, double length, double attack, double release,
            double cutoff, int rate, std::uint32_t seed) {
  const Adsr env{attack, 0.01, 1.0, release};
  Samples out(toSamples(env.end(length), rate));
  Noise detune(seed);
  for (double freq : freqs) {
    for (int voice = 0; voice < 3; ++voice) {
      const double f = freq * (1.0 + 0.004 * detune.next());
      // Every voice starts at its own point of the cycle, so they do not add up to a click.
      Phase phase(0.5 + 0.5 * detune.next());
      Biquad lp;
      lp.set(Biquad::Kind::LowPass, cutoff, 0.7, rate);
      for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double x = sawBlep(phase.next(f, rate), f / rate);
        out[i] += static_cast<float>(lp.process(x) * env.at(t, length) * 0.2);
      }
    }
  }
  return out;
}

Samples boom(double startHz, double endHz, double t60, int rate) {
  Phase phase;
  return render(t60, rate, [&](double t) {
    const double f = endHz + (startHz - endHz) * std::exp(-t / 0.04);
    return percussive(t, 0.001, t60) * std::sin(kTwoPi * phase.next(f, rate));
  });
}

Samples sweptNoise(double seconds, double fromHz, double toHz, double q, int rate,
                   const std::function<double(double)>& shape, std::uint32_t seed) {
  Noise noise(seed);
  Biquad bp;
  return render(seconds, rate, [&](double t) {
    const double f = fromHz * std::pow(toHz / fromHz, std::min(1.0, t / seconds));
    bp.set(Biquad::Kind::BandPass, f, q, rate);
    return bp.process(noise.next()) * shape(t);
  });
}

Samples hiss(double cutoff, double attack, double t60, int rate, std::uint32_t seed) {
  Noise noise(seed);
  Biquad hp;
  hp.set(Biquad::Kind::HighPass, cutoff, 0.7, rate);
  return render(t60, rate, [&](double t) { return hp.process(noise.next()) * percussive(t, attack, t60); });
}

}  // namespace kvz::soundgen
