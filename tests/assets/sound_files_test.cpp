#include <gtest/gtest.h>

#include <string>

#include "sound_samples.h"

namespace kvz::testing {
namespace {

struct Effect {
  const char* name;
  double minSeconds;
  double maxSeconds;
};

// What the game expects of each effect, with its silent tail included.
constexpr Effect kEffects[] = {
    {"r.wav", 1.2, 2.0},   {"w.wav", 1.2, 2.0},       {"pt.wav", 3.0, 4.5},  {"tel.wav", 3.0, 3.7},
    {"tel-end.wav", 0.3, 1.2}, {"div.wav", 2.5, 8.0}, {"50-50.wav", 0.3, 1.0}, {"lights.wav", 2.0, 4.0}};

void PrintTo(const Effect& e, std::ostream* os) { *os << e.name; }

constexpr double kSilentTail = 0.2;
constexpr double kNearSilence = 0.001;  // -60 dBFS

class EffectFile : public ::testing::TestWithParam<Effect> {
protected:
  void SetUp() override {
    sound = loadSound(sndFile(GetParam().name));
    ASSERT_TRUE(sound) << GetParam().name << " is missing or not 16-bit PCM WAV";
  }
  std::optional<Sound> sound;
};

TEST_P(EffectFile, IsCdQualityAudioOfTheExpectedLength) {
  EXPECT_EQ(sound->info.sampleRate, 44100U);
  EXPECT_TRUE(sound->info.channels == 1 || sound->info.channels == 2);
  EXPECT_GE(sound->seconds(), GetParam().minSeconds);
  EXPECT_LE(sound->seconds(), GetParam().maxSeconds);
}

TEST_P(EffectFile, SoundsFromItsFirstTenMilliseconds) {
  // The game times its sequences from the moment it starts an effect.
  EXPECT_GT(sound->peak(0, sound->at(0.01)), 0.01) << "nothing above -40 dBFS in the first 10 ms";
}

TEST_P(EffectFile, EndsWithTwoHundredMillisecondsOfSilence) {
  // The effect player cuts the last 50 to 110 ms; nothing audible may be there.
  const std::size_t from = sound->frames() - sound->at(kSilentTail);
  EXPECT_LT(sound->peak(from, sound->frames()), kNearSilence);
  // ...and there is a sound before it.
  EXPECT_GT(sound->peak(0, from), 0.1);
}

TEST_P(EffectFile, PeaksNearMinusThreeDecibelsWithoutClipping) {
  const double p = toDb(sound->peak(0, sound->frames()));
  EXPECT_GT(p, -4.5);
  EXPECT_LT(p, -2.0);
}

TEST_P(EffectFile, HasNoSilentHoleBeforeItsTail) {
  // A gap of a quarter second inside an effect would sound like two sounds (or a fault).
  const std::size_t window = sound->at(0.25);
  const std::size_t end = sound->frames() - sound->at(kSilentTail + 0.3);
  for (std::size_t from = 0; from + window <= end; from += window / 2) {
    EXPECT_GT(sound->peak(from, from + window), 0.003) << "silent at " << from / 44100.0 << " s";
  }
}

INSTANTIATE_TEST_SUITE_P(GeneratedSounds, EffectFile, ::testing::ValuesIn(kEffects),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                           return name;
                         });

class BackgroundMusic : public ::testing::Test {
protected:
  void SetUp() override {
    music = loadSound(sndFile("bgm.wav"));
    ASSERT_TRUE(music) << "bgm.wav is missing or not 16-bit PCM WAV";
  }
  std::optional<Sound> music;
};

TEST_F(BackgroundMusic, IsALoopOfTwentyToFortySecondsOfModestSize) {
  EXPECT_GE(music->seconds(), 20.0);
  EXPECT_LE(music->seconds(), 40.0);
  EXPECT_LT(std::filesystem::file_size(sndFile("bgm.wav")), 4'000'000U);
}

TEST_F(BackgroundMusic, JoinsItsEndToItsStartWithoutAClick) {
  const auto& s = music->channels[0];
  const std::size_t n = s.size();
  ASSERT_GT(n, 100U);
  auto at = [&](long i) { return s[static_cast<std::size_t>((i % static_cast<long>(n) + static_cast<long>(n)) % static_cast<long>(n))]; };
  auto step = [&](long i) { return std::fabs(at(i) - at(i - 1)); };
  auto bend = [&](long i) { return std::fabs(at(i) - 2 * at(i - 1) + at(i - 2)); };
  // The step and the change of slope across the seam must look like those of the music
  // just before and just after it: a cut in the middle of a wave stands out by far.
  double nearStep = 0;
  double nearBend = 0;
  for (long k = 3; k < 40; ++k) {
    nearStep = std::max({nearStep, step(k), step(-k)});
    nearBend = std::max({nearBend, bend(k), bend(-k + 1)});
  }
  constexpr double kQuantum = 2.0 / 32768.0;
  EXPECT_LE(step(0), 2 * nearStep + kQuantum);
  EXPECT_LE(std::max({bend(0), bend(1), bend(2)}), 2 * nearBend + kQuantum);
  // Same loudness on both sides of the seam.
  const double head = music->rms(0, music->at(0.5));
  const double tail = music->rms(n - music->at(0.5), n);
  EXPECT_NEAR(toDb(head), toDb(tail), 3.0);
}

TEST_F(BackgroundMusic, KeepsPlayingWithoutGaps) {
  const std::size_t window = music->at(0.5);
  for (std::size_t from = 0; from + window <= music->frames(); from += window) {
    EXPECT_GT(toDb(music->rms(from, from + window)), -45.0) << "quiet at " << from / double(music->info.sampleRate);
  }
}

TEST_F(BackgroundMusic, StaysWellBelowTheEffectsThatPlayOverIt) {
  // The music plays on under the right-answer sound and the fifty-fifty; the other effects
  // come with the music stopped.
  const double musicRms = toDb(music->rms(0, music->frames()));
  EXPECT_LT(toDb(music->peak(0, music->frames())), -9.0);
  for (const char* name : {"r.wav", "50-50.wav"}) {
    const std::optional<Sound> effect = loadSound(sndFile(name));
    ASSERT_TRUE(effect) << name;
    const std::size_t sounding = effect->frames() - effect->at(kSilentTail);
    EXPECT_GT(toDb(effect->rms(0, sounding)) - musicRms, 6.0) << name << " would drown in the music";
  }
}

}  // namespace
}  // namespace kvz::testing
