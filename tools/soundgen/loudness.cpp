#include "soundgen/loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kvz::soundgen {

std::optional<Loudness> measureLoudness(const std::vector<float>& interleaved, int channels, int rate) {
  if (channels <= 0 || rate <= 0 || interleaved.size() % static_cast<std::size_t>(channels) != 0) return std::nullopt;
  const auto close = [](ebur128_state* st) { ebur128_destroy(&st); };
  std::unique_ptr<ebur128_state, decltype(close)> state(
      ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(rate),
                   EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK),
      close);
  if (!state) return std::nullopt;
  const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
  if (ebur128_add_frames_float(state.get(), interleaved.data(), frames) != EBUR128_SUCCESS) return std::nullopt;
  Loudness out;
  if (ebur128_loudness_global(state.get(), &out.integratedLufs) != EBUR128_SUCCESS) return std::nullopt;
  double peak = 0;
  for (int c = 0; c < channels; ++c) {
    double p = 0;
    if (ebur128_true_peak(state.get(), static_cast<unsigned>(c), &p) != EBUR128_SUCCESS) return std::nullopt;
    peak = std::max(peak, p);
  }
  out.truePeakDb = peak > 0 ? 20.0 * std::log10(peak) : -HUGE_VAL;
  return out;
}

namespace {

// Mean square of all channels over frames [from, to), clipped to the buffer.
double meanSquare(const std::vector<float>& s, int channels, long from, long to) {
  const long frames = static_cast<long>(s.size()) / channels;
  from = std::clamp(from, 0L, frames);
  to = std::clamp(to, 0L, frames);
  if (to <= from) return 0;
  double sum = 0;
  for (long i = from * channels; i < to * channels; ++i) sum += static_cast<double>(s[static_cast<std::size_t>(i)]) * s[static_cast<std::size_t>(i)];
  return sum / static_cast<double>((to - from) * channels);
}

}  // namespace

std::optional<double> strongestOnset(const std::vector<float>& interleaved, int channels, int rate, double from,
                                     double to) {
  if (channels <= 0 || rate <= 0) return std::nullopt;
  const long after = rate / 50, before = rate / 5, step = std::max(1L, static_cast<long>(rate / 1000));
  const long frames = static_cast<long>(interleaved.size()) / channels;
  const long first = std::clamp(std::lround(from * rate), 0L, frames), last = std::clamp(std::lround(to * rate), 0L, frames);
  if (last <= first) return std::nullopt;
  // Running sums of the squares from `base` on, so that each window costs two look-ups.
  const long base = std::max(0L, first - before), end = std::min(frames, last + after);
  std::vector<double> sums(static_cast<std::size_t>(end - base + 1), 0.0);
  for (long i = base; i < end; ++i) {
    const std::size_t k = static_cast<std::size_t>(i - base);
    sums[k + 1] = sums[k] + meanSquare(interleaved, channels, i, i + 1);
  }
  const auto mean = [&](long a, long b) {
    a = std::clamp(a, base, end);
    b = std::clamp(b, base, end);
    return b > a ? (sums[static_cast<std::size_t>(b - base)] - sums[static_cast<std::size_t>(a - base)]) / static_cast<double>(b - a) : 0.0;
  };
  // A floor keeps a sound out of digital silence from counting as an endless rise.
  constexpr double kFloor = 1e-8;
  double best = 0;
  std::optional<double> at;
  for (long i = first; i < last; i += step) {
    const double next = mean(i, i + after);
    if (next < 1e-6) continue;  // below -60 dBFS: no onset
    const double ratio = next / (mean(i - before, i) + kFloor);
    if (ratio > best) {
      best = ratio;
      at = static_cast<double>(i) / rate;
    }
  }
  return at;
}

std::vector<Stretch> quietStretches(const std::vector<float>& interleaved, int channels, int rate, double floorDb,
                                    double minSeconds) {
  std::vector<Stretch> out;
  if (channels <= 0 || rate <= 0) return out;
  const long window = rate / 20;
  const long frames = static_cast<long>(interleaved.size()) / channels;
  const double floor = std::pow(10.0, floorDb / 10.0);
  long quietSince = -1;
  const auto close = [&](long end) {
    if (quietSince >= 0 && static_cast<double>(end - quietSince) / rate >= minSeconds)
      out.push_back({static_cast<double>(quietSince) / rate, static_cast<double>(end) / rate});
    quietSince = -1;
  };
  for (long i = 0; i < frames; i += window) {
    if (meanSquare(interleaved, channels, i, i + window) <= floor) {
      if (quietSince < 0) quietSince = i;
    } else {
      close(i);
    }
  }
  close(frames);
  return out;
}

}  // namespace kvz::soundgen
