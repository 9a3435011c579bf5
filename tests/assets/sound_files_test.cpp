#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "assets/wav_info.h"
#include "sound_samples.h"

namespace kvz::testing {
namespace {

// A generated 16-bit PCM file, its samples interleaved and scaled to [-1, 1].
struct Sound {
  std::size_t channels = 0, rate = 0;
  std::vector<double> s;
  std::size_t frames() const { return s.size() / channels; }
  std::size_t at(double sec) const { return std::min(frames(), static_cast<std::size_t>(sec * rate)); }
  double peak(std::size_t from, std::size_t to) const {
    double p = 0;
    for (std::size_t i = from * channels; i < to * channels && i < s.size(); ++i) p = std::max(p, std::fabs(s[i]));
    return p;
  }
  double rms(std::size_t from, std::size_t to) const {
    double sum = 0;
    for (std::size_t i = from * channels; i < to * channels; ++i) sum += s[i] * s[i];
    return std::sqrt(sum / static_cast<double>((to - from) * channels));
  }
};

std::optional<Sound> load(const char* name) {
  const std::optional<WavInfo> info = readWavInfo(sndFile(name));
  if (!info || info->formatTag != 1 || info->bitsPerSample != 16 || info->channels == 0) return std::nullopt;
  const std::vector<char> bytes = readBytes(sndFile(name));
  Sound sound{info->channels, info->sampleRate, {}};
  for (std::size_t i = 0; i < info->frames() * info->channels; ++i) {
    const std::size_t at = static_cast<std::size_t>(info->dataOffset) + 2 * i;
    const auto lo = static_cast<unsigned char>(bytes[at]), hi = static_cast<unsigned char>(bytes[at + 1]);
    sound.s.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | hi << 8)) / 32768.0);
  }
  return sound;
}

// The game times its sequences from play(), so each effect sounds within its first 10 ms; the
// effect player cuts the last 50 to 110 ms, so the last 200 ms are silent.
TEST(EffectFiles, SoundAtOnceAndEndInSilence) {
  const struct {
    const char* name;
    double minSeconds, maxSeconds;
  } effects[] = {{"r.wav", 1.2, 2.0},      {"w.wav", 1.2, 2.0},   {"pt.wav", 3.0, 4.5},
                 {"tel.wav", 3.0, 3.7},    {"tel-end.wav", 0.3, 1.2}, {"div.wav", 2.5, 8.0},
                 {"50-50.wav", 0.3, 1.0}, {"lights.wav", 2.0, 4.0}};  // lights: the menu waits this long
  for (const auto& e : effects) {
    const std::optional<Sound> s = load(e.name);
    ASSERT_TRUE(s) << e.name << " is missing or not 16-bit PCM WAV";
    EXPECT_GE(s->frames(), s->at(e.minSeconds)) << e.name;
    EXPECT_LE(s->frames(), e.maxSeconds * static_cast<double>(s->rate)) << e.name;
    EXPECT_GT(s->peak(0, s->at(0.01)), 0.01) << e.name << ": nothing above -40 dBFS in the first 10 ms";
    EXPECT_LT(s->peak(s->frames() - s->at(0.2), s->frames()), 0.001) << e.name << ": the tail is not silent";
  }
}

// The step and the change of slope across the seam must look like the music's just before and
// after it: a cut in the middle of a wave stands out by far.
TEST(BackgroundMusic, LoopsWithoutAClickOrAJumpInLoudness) {
  const std::optional<Sound> music = load("bgm.wav");
  ASSERT_TRUE(music) << "bgm.wav is missing or not 16-bit PCM WAV";
  const long n = static_cast<long>(music->frames());
  const auto at = [&](long i) { return music->s[static_cast<std::size_t>((i % n + n) % n) * music->channels]; };
  const auto step = [&](long i) { return std::fabs(at(i) - at(i - 1)); };
  const auto bend = [&](long i) { return std::fabs(at(i) - 2 * at(i - 1) + at(i - 2)); };
  double nearStep = 0, nearBend = 0;
  for (long k = 3; k < 40; ++k) {
    nearStep = std::max({nearStep, step(k), step(-k)});
    nearBend = std::max({nearBend, bend(k), bend(-k + 1)});
  }
  constexpr double kQuantum = 2.0 / 32768.0;
  EXPECT_LE(step(0), 2 * nearStep + kQuantum);
  EXPECT_LE(std::max({bend(0), bend(1), bend(2)}), 2 * nearBend + kQuantum);
  const std::size_t half = music->at(0.5), end = music->frames();
  EXPECT_NEAR(std::log10(music->rms(0, half) / music->rms(end - half, end)), 0.0, 0.15)
      << "more than 3 dB louder on one side of the seam";
}

}  // namespace
}  // namespace kvz::testing
