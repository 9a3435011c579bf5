#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "assets/media_files.h"
#include "game/durations.h"
#include "lifelines/durations.h"
#include "sound_samples.h"
#include "soundgen/loudness.h"

namespace kvz::testing {
namespace {

using soundgen::Pcm;

constexpr double s(int ms) { return ms / 1000.0; }
using namespace media;

// Every short sound the game plays: the effects and the menu's sound.
std::vector<std::string> shortSounds() {
  std::vector<std::string> names(kEffects.begin(), kEffects.end());
  names.push_back(kMenuSound);
  return names;
}
// Below this a 50 ms window counts as silence.
constexpr double kQuietDb = -45.0;

Pcm load(const char* name) {
  std::optional<Pcm> pcm = soundgen::readPcm16(mediaFile(name));
  if (!pcm) ADD_FAILURE() << name << " is missing or not 16-bit PCM WAV";
  return pcm.value_or(Pcm{2, 44100, std::vector<float>(2, 0.0F)});
}

double peak(const Pcm& p, double from, double to) {
  double most = 0;
  for (std::size_t i = static_cast<std::size_t>(from * p.rate) * p.channels;
       i < std::min(p.samples.size(), static_cast<std::size_t>(to * p.rate) * p.channels); ++i)
    most = std::max(most, static_cast<double>(std::fabs(p.samples[i])));
  return most;
}

// The loudness of a stretch in LUFS; not a number when it cannot be measured.
double lufsBetween(const Pcm& p, double from, double to) {
  const auto at = [&p](double t) { return p.samples.begin() + static_cast<long>(t * p.rate) * p.channels; };
  const auto l = soundgen::measureLoudness({at(from), at(to)}, p.channels, p.rate);
  return l ? l->integratedLufs : std::nan("");
}

// The game times its sequences from play(), so each effect sounds within its first 10 ms; the
// effect player cuts the last 50 to 110 ms, so the last 200 ms are silent.
TEST(EffectFiles, SoundAtOnceAndEndInSilence) {
  for (const std::string& name : shortSounds()) {
    const Pcm p = load(name.c_str());
    EXPECT_GT(peak(p, 0, 0.01), 0.01) << name << ": nothing above -40 dBFS in the first 10 ms";
    EXPECT_LT(peak(p, p.seconds() - 0.2, p.seconds()), 0.001) << name << ": the tail is not silent";
  }
}

// Each sound of a long sequence sounds through it without a gap and has ended when the next
// step (the music, the next reveal, the menu) comes: where it stops, the player hears silence.
TEST(EffectFiles, FillTheirSequencesAndEndBeforeTheNextStep) {
  const struct {
    const char* name;
    double next;         // the next step of the sequence, from the play
    double soundsUntil;  // the sound lasts at least this long
  } cases[] = {
      {kSoundPoll, s(lifelines::kPollMusicAtMs), s(lifelines::kPollMusicAtMs) - 1.5},
      {kSoundPhone, s(lifelines::kCallCutAtMs), s(lifelines::kCallCutAtMs) - 0.5},
      {kSoundTop, s(round::kTopToMenuMs), s(round::kTopToMenuMs) - 1.5},
      {kSoundWrong, s(round::kWrongToMenuMs), s(round::kWrongToMenuMs) - 1.5},
      {kSoundRight, s(round::kRightToNextQuestionMs), 1.0},
  };
  for (const auto& c : cases) {
    const Pcm p = load(c.name);
    EXPECT_LE(p.seconds(), c.next) << c.name << " still plays when the next step comes";
    const auto quiet = soundgen::quietStretches(p.samples, p.channels, p.rate, kQuietDb, 0.5);
    const double end = quiet.empty() ? p.seconds() : quiet.back().start;
    EXPECT_GE(end, c.soundsUntil) << c.name << " falls silent too early";
    if (quiet.size() > 1) ADD_FAILURE() << c.name << " is silent from " << quiet.front().start << " s";
  }
  EXPECT_GE(load(kSoundPhone).seconds(), s(lifelines::kCallCutAtMs) - 0.1) << "the call's sound stops before its cut";
}

// The poll: the voting picks up at the empty graph and the closing cue lands on the bars.
TEST(EffectFiles, PollCuesFallOnTheEmptyGraphAndOnTheBars) {
  const Pcm p = load(kSoundPoll);
  const double graph = s(lifelines::kPollEmptyGraphMs), bars = s(lifelines::kPollBarsAtMs);
  const auto cue = soundgen::strongestOnset(p.samples, p.channels, p.rate, graph + 1.0, p.seconds());
  ASSERT_TRUE(cue);
  EXPECT_NEAR(*cue, bars, 0.1) << "the closing cue";
  EXPECT_GE(lufsBetween(p, graph, graph + 3) - lufsBetween(p, graph - 3, graph), 1.0) << "nothing changes at the empty graph";
}

// The call: the pick-up, then a tick a second in step with the countdown video's numbers.
TEST(EffectFiles, CallPicksUpOnTimeAndTicksEverySecond) {
  const Pcm p = load(kSoundPhone);
  const double pickUp = s(lifelines::kCallPickUpMs);
  for (int k = 0; k < lifelines::kCallLongestMs / 1000; ++k) {
    const auto at = soundgen::strongestOnset(p.samples, p.channels, p.rate, pickUp + k - 0.2, pickUp + k + 0.2);
    ASSERT_TRUE(at) << "second " << k;
    EXPECT_NEAR(*at, pickUp + k, 0.03) << "second " << k << " of the call";
  }
}

// Loudness, true peak and DC offset: kvz_soundgen levels each sound and fails the build when one
// misses its target; game/check_e2e_sound.py measures them as the game plays them.

// The step and the change of slope across the seam must look like the music's just before and
// after it: a cut in the middle of a wave stands out by far.
TEST(BackgroundMusic, IsALongLoopWithoutAClickOrAJumpInLoudness) {
  const Pcm music = load(kMusic);
  EXPECT_GE(music.seconds(), 60.0) << "heard coming round again within one question";
  const long n = static_cast<long>(music.samples.size()) / music.channels;
  for (int c = 0; c < music.channels; ++c) {
    const auto at = [&](long i) { return static_cast<double>(music.samples[static_cast<std::size_t>(((i % n + n) % n) * music.channels + c)]); };
    const auto step = [&](long i) { return std::fabs(at(i) - at(i - 1)); };
    const auto bend = [&](long i) { return std::fabs(at(i) - 2 * at(i - 1) + at(i - 2)); };
    double nearStep = 0, nearBend = 0;
    for (long k = 3; k < 40; ++k) {
      nearStep = std::max({nearStep, step(k), step(-k)});
      nearBend = std::max({nearBend, bend(k), bend(-k + 1)});
    }
    constexpr double kQuantum = 2.0 / 32768.0;
    EXPECT_LE(step(0), 2 * nearStep + kQuantum) << "channel " << c;
    EXPECT_LE(std::max({bend(0), bend(1), bend(2)}), 2 * nearBend + kQuantum) << "channel " << c;
  }
  EXPECT_NEAR(lufsBetween(music, music.seconds() - 2, music.seconds()), lufsBetween(music, 0, 2), 1.5)
      << "a jump in loudness at the seam";
}

}  // namespace
}  // namespace kvz::testing
