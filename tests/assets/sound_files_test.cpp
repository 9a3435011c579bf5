#include <gtest/gtest.h>

#include "sound_samples.h"

namespace kvz::testing {
namespace {

constexpr double kSilentTail = 0.2;

std::optional<Sound> generated(const char* name) {
  std::optional<Sound> s = loadSound(sndFile(name));
  EXPECT_TRUE(s) << name << " is missing or not 16-bit PCM WAV";
  return s;
}

// What a player hears of each effect, its silent tail included: the right length, a start
// within 10 ms (the game times its sequences from play()), no hole, a peak near -3 dBFS
// without clipping, and 200 ms of silence at the end (the effect player cuts the last
// 50 to 110 ms; nothing audible may be there).
TEST(EffectFiles, SoundAtOnceWithoutHolesAtTheirLevelAndEndInSilence) {
  const struct {
    const char* name;
    double minSeconds, maxSeconds;
  } effects[] = {{"r.wav", 1.2, 2.0},      {"w.wav", 1.2, 2.0},   {"pt.wav", 3.0, 4.5},
                 {"tel.wav", 3.0, 3.7},    {"tel-end.wav", 0.3, 1.2}, {"div.wav", 2.5, 8.0},
                 {"50-50.wav", 0.3, 1.0}, {"lights.wav", 2.0, 4.0}};  // lights: the menu waits this long
  for (const auto& e : effects) {
    SCOPED_TRACE(e.name);
    const std::optional<Sound> s = generated(e.name);
    if (!s) continue;
    EXPECT_EQ(s->info.sampleRate, 44100U);
    EXPECT_TRUE(s->info.channels == 1 || s->info.channels == 2);
    EXPECT_GE(s->seconds(), e.minSeconds);
    EXPECT_LE(s->seconds(), e.maxSeconds);
    EXPECT_GT(s->peak(0, s->at(0.01)), 0.01) << "nothing above -40 dBFS in the first 10 ms";
    const std::size_t tail = s->frames() - s->at(kSilentTail);
    EXPECT_LT(s->peak(tail, s->frames()), 0.001) << "the tail is not silent";
    const double peak = toDb(s->peak(0, tail));
    EXPECT_GT(peak, -4.5);
    EXPECT_LT(peak, -2.0);
    // A quarter-second gap would sound like two sounds, or a fault.
    const std::size_t window = s->at(0.25), end = s->frames() - s->at(kSilentTail + 0.3);
    for (std::size_t from = 0; from + window <= end; from += window / 2)
      EXPECT_GT(s->peak(from, from + window), 0.003) << "silent at " << from / 44100.0 << " s";
  }
}

TEST(BackgroundMusic, LoopsWithoutAClickOrAGapAndStaysUnderTheEffects) {
  const std::optional<Sound> music = generated("bgm.wav");
  ASSERT_TRUE(music);
  EXPECT_GE(music->seconds(), 20.0);
  EXPECT_LE(music->seconds(), 40.0);
  EXPECT_LT(std::filesystem::file_size(sndFile("bgm.wav")), 4'000'000U);
  for (std::size_t from = 0, w = music->at(0.5); from + w <= music->frames(); from += w)
    EXPECT_GT(toDb(music->rms(from, from + w)), -45.0) << "quiet at " << from / double(music->info.sampleRate);

  // The step and the change of slope across the seam must look like the music's just before
  // and after it: a cut in the middle of a wave stands out by far.
  const auto& s = music->channels[0];
  const long n = static_cast<long>(s.size());
  const auto at = [&](long i) { return s[static_cast<std::size_t>((i % n + n) % n)]; };
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
  EXPECT_NEAR(toDb(music->rms(0, music->at(0.5))), toDb(music->rms(s.size() - music->at(0.5), s.size())), 3.0)
      << "louder on one side of the seam";

  // It plays on under the right-answer sound and the fifty-fifty.
  const double musicRms = toDb(music->rms(0, music->frames()));
  EXPECT_LT(toDb(music->peak(0, music->frames())), -9.0);
  for (const char* name : {"r.wav", "50-50.wav"}) {
    const std::optional<Sound> effect = generated(name);
    if (!effect) continue;
    EXPECT_GT(toDb(effect->rms(0, effect->frames() - effect->at(kSilentTail))) - musicRms, 6.0)
        << name << " would drown in the music";
  }
}

}  // namespace
}  // namespace kvz::testing
