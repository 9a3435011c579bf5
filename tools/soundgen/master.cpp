#include "soundgen/master.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace kvz::soundgen {

namespace {

constexpr double kFadeInSeconds = 0.003;
// The limiter's look-ahead and release.
constexpr double kLookAheadSeconds = 0.005;
constexpr double kReleaseSeconds = 0.08;

void removeDc(Samples& s) {
  if (s.empty()) return;
  double sum = 0;
  for (float v : s) sum += v;
  const double mean = sum / static_cast<double>(s.size());
  for (float& v : s) v = static_cast<float>(v - mean);
}

void scale(Stereo& s, double gain) {
  for (Samples* c : {&s.left, &s.right})
    for (float& v : *c) v = static_cast<float>(v * gain);
}

// Raised-cosine fades at both ends.
void fade(Stereo& s, int rate, double inSeconds, double outSeconds) {
  const std::size_t n = s.size();
  const std::size_t in = std::min(n, toSamples(inSeconds, rate)), out = std::min(n, toSamples(outSeconds, rate));
  const auto shape = [](double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * x); };
  for (std::size_t i = 0; i < n; ++i) {
    double g = 1.0;
    if (i < in) g *= shape(static_cast<double>(i) / static_cast<double>(in));
    if (i + out >= n && out > 0) g *= shape(static_cast<double>(n - 1 - i) / static_cast<double>(out));
    s.left[i] = static_cast<float>(s.left[i] * g);
    s.right[i] = static_cast<float>(s.right[i] * g);
  }
}

// A look-ahead peak limiter: the gain falls before a peak so that no sample passes `ceiling`,
// and recovers over the release time.
void limit(Stereo& s, int rate, double ceiling) {
  const std::size_t n = s.size();
  const std::size_t ahead = std::max<std::size_t>(1, toSamples(kLookAheadSeconds, rate));
  std::vector<double> need(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double p = std::max(std::fabs(s.left[i]), std::fabs(s.right[i]));
    need[i] = p > ceiling ? ceiling / p : 1.0;
  }
  // The lowest need within the look-ahead, with the release as the way back up.
  std::vector<double> gain(n);
  std::deque<std::size_t> window;
  const double recover = 1.0 / (kReleaseSeconds * rate);
  double g = 1.0;
  for (std::size_t i = 0; i < n + ahead; ++i) {
    if (i < n) {
      while (!window.empty() && need[window.back()] >= need[i]) window.pop_back();
      window.push_back(i);
    }
    if (i < ahead) continue;
    const std::size_t at = i - ahead;
    while (window.front() < at) window.pop_front();
    g = std::min(need[window.front()], g + (1.0 - g) * recover);
    gain[at] = g;
  }
  // Averaged over the look-ahead: smooth, and still at or under the need at every peak.
  double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    sum += gain[i];
    if (i >= ahead) sum -= gain[i - ahead];
    const double smooth = sum / static_cast<double>(std::min(i + 1, ahead));
    s.left[i] = static_cast<float>(s.left[i] * smooth);
    s.right[i] = static_cast<float>(s.right[i] * smooth);
  }
}

std::optional<Loudness> measure(const Stereo& s, int rate) { return measureLoudness(interleaved16(s), 2, rate); }

}  // namespace

std::vector<float> interleaved16(const Stereo& s) {
  std::vector<float> out;
  out.reserve(2 * s.size());
  const auto q = [](float v) { return static_cast<float>(std::lround(std::clamp(v, -1.0F, 1.0F) * 32767.0) / 32767.0); };
  for (std::size_t i = 0; i < s.size(); ++i) {
    out.push_back(q(s.left[i]));
    out.push_back(q(s.right[i]));
  }
  return out;
}

std::optional<Loudness> masterEffect(Stereo& s, int rate, double lufs, double fadeOutSeconds, double padSeconds) {
  removeDc(s.left);
  removeDc(s.right);
  fade(s, rate, kFadeInSeconds, fadeOutSeconds);
  s.ensure(s.size() + toSamples(padSeconds, rate));
  // Levelling and limiting pull against each other: a few rounds settle both.
  double ceiling = dbToGain(kTruePeakCeilingDb - 0.5);
  for (int round = 0; round < 8; ++round) {
    std::optional<Loudness> now = measure(s, rate);
    if (!now || !std::isfinite(now->integratedLufs)) return std::nullopt;
    scale(s, dbToGain(lufs - now->integratedLufs));
    now = measure(s, rate);
    if (!now) return std::nullopt;
    if (now->truePeakDb <= kTruePeakCeilingDb - 0.1 && std::fabs(now->integratedLufs - lufs) < 0.05) return now;
    if (now->truePeakDb > kTruePeakCeilingDb - 0.1) {
      limit(s, rate, ceiling);
      ceiling *= 0.97;
    }
  }
  const std::optional<Loudness> last = measure(s, rate);
  if (!last || last->truePeakDb > kTruePeakCeilingDb || std::fabs(last->integratedLufs - lufs) > 0.5) return std::nullopt;
  return last;
}

std::optional<Loudness> masterLoop(Stereo& s, int rate, double lufs) {
  removeDc(s.left);
  removeDc(s.right);
  std::optional<Loudness> now = measure(s, rate);
  if (!now || !std::isfinite(now->integratedLufs)) return std::nullopt;
  scale(s, dbToGain(lufs - now->integratedLufs));
  now = measure(s, rate);
  if (!now || now->truePeakDb > kTruePeakCeilingDb) return std::nullopt;
  return now;
}

}  // namespace kvz::soundgen
