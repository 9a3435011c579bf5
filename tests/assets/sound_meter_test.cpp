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

// Where the meter finds onsets and quiet stretches is checked on the game's own sounds, at
// known times, by sound_files_test.
TEST(SoundMeter, RefusesBuffersAndRangesItCannotMeasureAndHearsNothingInSilence) {
  EXPECT_FALSE(measureLoudness({0.1F, 0.2F, 0.3F}, 2, 8000)) << "half a frame";
  EXPECT_FALSE(measureLoudness({0.1F}, 0, 8000));
  EXPECT_FALSE(measureLoudness({0.1F}, 1, 0));
  EXPECT_TRUE(quietStretches({0.1F}, 0, 8000, -50, 1.5).empty()) << "no channels";
  const std::vector<float> silence(8000, 0.0F);
  EXPECT_FALSE(strongestOnset(silence, 1, 8000, 0.0, 1.0)) << "silence has no onset";
  EXPECT_FALSE(strongestOnset(silence, 1, 8000, 0.9, 0.1)) << "an empty range";
  const auto silent = measureLoudness(silence, 1, 8000);
  ASSERT_TRUE(silent);
  EXPECT_EQ(silent->integratedLufs, -std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace kvz::testing
