#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <limits>
#include <tuple>

#include "soundgen/loudness.h"
#include "support/wav_bytes.h"

namespace kvz::testing {
namespace {

using namespace soundgen;

// A mono buffer at 8 kHz: a 500 Hz tone at 0.5 where `on(t)` holds, else digital silence.
std::vector<float> tone(double seconds, const std::function<bool(double)>& on) {
  std::vector<float> s(static_cast<std::size_t>(seconds * 8000));
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / 8000;
    s[i] = on(t) ? static_cast<float>(0.5 * std::sin(2 * M_PI * 500 * t)) : 0.0F;
  }
  return s;
}

// A mono WAVE file at 8 kHz of `format` (1 PCM, 3 float) with `bits` per sample and `bytes` of data.
std::string wav(std::uint16_t format, std::uint16_t bits, const std::string& bytes) {
  return wavBytes({.format = format, .channels = 1, .rate = 8000, .bits = bits, .data = bytes});
}

TEST(SoundMeter, ReadsOnlySixteenBitPcmAndNothingPastTheFile) {
  QTemporaryDir dir;
  const std::filesystem::path file = dir.filePath("x.wav").toStdString();
  const std::string halves("\x00\x40\x00\xC0", 4);  // 0.5 and -0.5
  using Samples = std::optional<std::vector<float>>;
  const std::tuple<const char*, std::string, Samples> cases[] = {
      {"16-bit PCM", wav(1, 16, halves), std::vector{0.5F, -0.5F}},
      {"data shorter than its header says", wav(1, 16, halves).substr(0, 47), std::vector{0.5F}},
      {"8-bit PCM", wav(1, 8, "\x80\x80"), std::nullopt},
      {"float", wav(3, 32, std::string(8, '\0')), std::nullopt},
      {"not WAVE", "RIFF0000AVI LIST", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const auto& [what, bytes, samples] : cases) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    const std::optional<Pcm> pcm = readPcm16(file);
    EXPECT_EQ(pcm ? Samples(pcm->samples) : std::nullopt, samples) << what;
  }
  EXPECT_EQ(readPcm16(dir.filePath("missing.wav").toStdString()), std::nullopt);
}

TEST(SoundMeter, RefusesBuffersItCannotMeasure) {
  EXPECT_FALSE(measureLoudness({0.1F, 0.2F, 0.3F}, 2, 8000)) << "half a frame";
  EXPECT_FALSE(measureLoudness({0.1F}, 0, 8000));
  EXPECT_FALSE(measureLoudness({0.1F}, 1, 0));
  const auto silent = measureLoudness(std::vector<float>(8000, 0.0F), 1, 8000);
  ASSERT_TRUE(silent);
  EXPECT_EQ(silent->integratedLufs, -std::numeric_limits<double>::infinity());
}

TEST(SoundMeter, FindsTheOnsetOfASoundAndNoneInSilence) {
  const std::vector<float> s = tone(3.0, [](double t) { return t >= 1.2345; });
  EXPECT_NEAR(strongestOnset(s, 1, 8000, 0.5, 2.5).value_or(-1), 1.2345, 0.002);
  EXPECT_FALSE(strongestOnset(s, 1, 8000, 0.0, 1.2)) << "silence has no onset";
  EXPECT_FALSE(strongestOnset(s, 1, 8000, 2.5, 0.5)) << "an empty range";
}

TEST(SoundMeter, MapsEveryQuietStretchOfAtLeastTheLengthAsked) {
  // Sound, a short gap, sound, a long gap, sound, silence to the end.
  const std::vector<float> s = tone(8.0, [](double t) {
    return t < 1.0 || (t >= 1.3 && t < 2.0) || (t >= 3.6 && t < 5.0);
  });
  const std::vector<Stretch> quiet = quietStretches(s, 1, 8000, -50, 1.5);
  ASSERT_EQ(quiet.size(), 2U);
  EXPECT_NEAR(quiet[0].start, 2.0, 0.05);
  EXPECT_NEAR(quiet[0].end, 3.6, 0.05);
  EXPECT_NEAR(quiet[1].start, 5.0, 0.05);
  EXPECT_NEAR(quiet[1].end, 8.0, 0.001);
  EXPECT_TRUE(quietStretches(s, 0, 8000, -50, 1.5).empty());
}

}  // namespace
}  // namespace kvz::testing
