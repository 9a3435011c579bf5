#include "soundgen/dsp.h"

#include <algorithm>
#include <cmath>

namespace kvz::soundgen {

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double dbToGain(double db) { return std::pow(10.0, db / 20.0); }

std::size_t toSamples(double seconds, int rate) {
  return seconds <= 0 ? 0 : static_cast<std::size_t>(std::llround(seconds * rate));
}

void Stereo::ensure(std::size_t frames) {
  if (left.size() < frames) {
    left.resize(frames, 0.0F);
    right.resize(frames, 0.0F);
  }
}

void mixSweep(Stereo& out, const Samples& voice, double atSeconds, int rate, double gain, double panFrom,
              double panTo) {
  const std::size_t start = toSamples(atSeconds, rate);
  out.ensure(start + voice.size());
  for (std::size_t i = 0; i < voice.size(); ++i) {
    const double share = voice.size() > 1 ? static_cast<double>(i) / static_cast<double>(voice.size() - 1) : 0.0;
    const double pan = std::clamp(panFrom + (panTo - panFrom) * share, -1.0, 1.0);
    const double angle = (pan + 1.0) * std::numbers::pi / 4.0;
    out.left[start + i] += static_cast<float>(voice[i] * gain * std::cos(angle) * std::numbers::sqrt2);
    out.right[start + i] += static_cast<float>(voice[i] * gain * std::sin(angle) * std::numbers::sqrt2);
  }
}

void mix(Stereo& out, const Samples& voice, double atSeconds, int rate, double gain, double pan) {
  mixSweep(out, voice, atSeconds, rate, gain, pan, pan);
}

void mix(Samples& out, const Samples& voice, double atSeconds, int rate, double gain) {
  const std::size_t start = toSamples(atSeconds, rate);
  if (out.size() < start + voice.size()) out.resize(start + voice.size(), 0.0F);
  for (std::size_t i = 0; i < voice.size(); ++i) out[start + i] += static_cast<float>(voice[i] * gain);
}

double Phase::next(double freq, int rate) {
  const double now = phase_;
  phase_ += freq / rate;
  phase_ -= std::floor(phase_);
  return now;
}

namespace {
// Smooths the step of a naive waveform around its discontinuity.
double polyBlep(double t, double dt) {
  if (dt <= 0) return 0;
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0;
}
}  // namespace

double sawBlep(double phase, double increment) { return 2.0 * phase - 1.0 - polyBlep(phase, increment); }

double squareBlep(double phase, double increment) {
  double v = phase < 0.5 ? 1.0 : -1.0;
  v += polyBlep(phase, increment);
  double shifted = phase + 0.5;
  shifted -= std::floor(shifted);
  return v - polyBlep(shifted, increment);
}

double Noise::next() {
  // xorshift32: cheap, fixed sequence on every platform.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

double Adsr::at(double t, double length) const {
  if (t < 0) return 0;
  auto held = [this](double u) {
    if (u < attack) return u / attack;
    if (u < attack + decay) return 1.0 - (1.0 - sustain) * (u - attack) / decay;
    return sustain;
  };
  if (t < length) return held(t);
  const double r = (t - length) / release;
  return r >= 1.0 ? 0.0 : held(length) * (1.0 - r) * (1.0 - r);
}

double percussive(double t, double attack, double t60) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-6.907755 * (t - attack) / t60);
}

void Biquad::set(Kind kind, double freq, double q, int rate) {
  freq = std::clamp(freq, 10.0, rate * 0.45);
  const double w = kTwoPi * freq / rate;
  const double cw = std::cos(w);
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  switch (kind) {
    case Kind::LowPass:
      b0_ = (1.0 - cw) / 2.0;
      b1_ = 1.0 - cw;
      b2_ = b0_;
      break;
    case Kind::HighPass:
      b0_ = (1.0 + cw) / 2.0;
      b1_ = -(1.0 + cw);
      b2_ = b0_;
      break;
    case Kind::BandPass:
      b0_ = alpha;
      b1_ = 0;
      b2_ = -alpha;
      break;
  }
  b0_ /= a0;
  b1_ /= a0;
  b2_ /= a0;
  a1_ = -2.0 * cw / a0;
  a2_ = (1.0 - alpha) / a0;
}

double Biquad::process(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

Reverb::Reverb(int rate, double size, double damp)
    : feedback_(0.7 + 0.28 * std::clamp(size, 0.0, 1.0)), damp_(std::clamp(damp, 0.0, 1.0) * 0.4) {
  static constexpr int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static constexpr int kPasses[] = {556, 441, 341, 225};
  constexpr int kSpread = 23;
  const double scale = rate / 44100.0;
  auto length = [scale](int n) { return static_cast<std::size_t>(std::max(1.0, n * scale)); };
  for (int n : kCombs) {
    combsL_.push_back({std::vector<float>(length(n), 0.0F)});
    combsR_.push_back({std::vector<float>(length(n + kSpread), 0.0F)});
  }
  for (int n : kPasses) {
    passesL_.push_back({std::vector<float>(length(n), 0.0F)});
    passesR_.push_back({std::vector<float>(length(n + kSpread), 0.0F)});
  }
}

double Reverb::runChannel(std::vector<Comb>& combs, std::vector<AllPass>& passes, double in) {
  double out = 0;
  for (Comb& c : combs) {
    const double y = c.line[c.pos];
    c.store = y * (1.0 - damp_) + c.store * damp_;
    c.line[c.pos] = static_cast<float>(in + c.store * feedback_);
    c.pos = (c.pos + 1) % c.line.size();
    out += y;
  }
  for (AllPass& a : passes) {
    const double buffered = a.line[a.pos];
    a.line[a.pos] = static_cast<float>(out + buffered * 0.5);
    a.pos = (a.pos + 1) % a.line.size();
    out = buffered - out;
  }
  return out;
}

void Reverb::process(Stereo& io, double wet) {
  constexpr double kInputGain = 0.015;
  for (std::size_t i = 0; i < io.size(); ++i) {
    const double in = (io.left[i] + io.right[i]) * kInputGain;
    const double l = runChannel(combsL_, passesL_, in);
    const double r = runChannel(combsR_, passesR_, in);
    io.left[i] = static_cast<float>(io.left[i] + wet * l);
    io.right[i] = static_cast<float>(io.right[i] + wet * r);
  }
}

void echo(Samples& io, int rate, double delaySeconds, double feedback, double wet) {
  const std::size_t d = std::max<std::size_t>(1, toSamples(delaySeconds, rate));
  std::vector<float> line(d, 0.0F);
  std::size_t pos = 0;
  for (float& s : io) {
    const double delayed = line[pos];
    line[pos] = static_cast<float>(s + delayed * feedback);
    pos = (pos + 1) % d;
    s = static_cast<float>(s + wet * delayed);
  }
}

double peak(const Samples& s) {
  double p = 0;
  for (float v : s) p = std::max(p, static_cast<double>(std::fabs(v)));
  return p;
}

double peak(const Stereo& s) { return std::max(peak(s.left), peak(s.right)); }

double rms(const Samples& s) {
  if (s.empty()) return 0;
  double sum = 0;
  for (float v : s) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / static_cast<double>(s.size()));
}

void cut(Stereo& s, double seconds, int rate) {
  s.left.resize(toSamples(seconds, rate), 0.0F);
  s.right.resize(toSamples(seconds, rate), 0.0F);
}

Samples render(double seconds, int rate, const std::function<double(double)>& f) {
  Samples out(toSamples(seconds, rate));
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<float>(f(static_cast<double>(i) / rate));
  return out;
}

}  // namespace kvz::soundgen
