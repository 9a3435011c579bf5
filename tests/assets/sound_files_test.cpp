#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "assets/media_files.h"
#include "assets/wav_info.h"
#include "game/durations.h"
#include "lifelines/durations.h"
#include "sound_samples.h"
#include "soundgen/loudness.h"
#include "support/wav_bytes.h"

// The sound files: the game's reader of WAVE files, which needs only their length, the sound
// meter's, which reads the samples after it, and the game's own sounds as the meter hears them.
namespace kvz::testing {
namespace {

using namespace soundgen;

// A WAVE file of that shape holding so many frames of silence.
std::string makeWav(WavShape w, std::uint32_t frames = 44100) {
  w.data.assign(frames * w.channels * w.bits / 8u, '\0');
  return wavBytes(w);
}

std::string patched(std::string wav, std::size_t at, const std::string& bytes) { return wav.replace(at, bytes.size(), bytes); }

// The span is copied into a buffer of exactly its size, so a read past the end is caught
// by the sanitizer builds.
std::optional<WavInfo> parse(const std::string& s) {
  std::vector<std::byte> exact(s.size());
  if (!s.empty()) std::memcpy(exact.data(), s.data(), s.size());
  return readWavInfo(std::span<const std::byte>(exact));
}

TEST(WavInfo, ReadsTheLengthOfTheSamplesTheFileReallyHolds) {
  std::string list = "LIST";
  putLittleEndian(list, 5, 4);
  list += std::string("INFOx\0", 6);  // odd size: one pad byte follows
  // ADPCM-like: 4000 bytes at a claimed 2000 bytes a second.
  const std::string adpcm = patched(makeWav({.format = 2, .channels = 1, .rate = 8000, .bits = 8}, 4000),
                                    28, std::string("\xD0\x07\0\0", 4));
  const std::pair<std::string, std::int64_t> good[] = {
      {makeWav({}), 1000}, {makeWav({.before = list}), 1000}, {adpcm, 2000},
      {makeWav({.claimedData = 0x7FFFFFF0u}, 4410), 100},  // claimed beyond the file
      {makeWav({.claimedData = 0xFFFFFFFFu}, 4410), 100},  // a streaming writer's unset size
      {makeWav({.claimedData = 0u}, 4410), 100}, {patched(makeWav({}), 4, "\xFF\xFF\xFF\xFF"), 1000},
      {makeWav({}, 0), 0}};  // the header alone is a valid, empty sound
  for (std::size_t i = 0; i < std::size(good); ++i) {
    const std::optional<WavInfo> info = parse(good[i].first);
    ASSERT_TRUE(info) << "case " << i;
    EXPECT_EQ(info->durationMs(), good[i].second) << "case " << i;
  }
  EXPECT_EQ(parse(makeWav({.before = list}))->dataOffset, 44U + list.size());
}

TEST(WavInfo, EveryCutOffHeaderAndEveryUnplayableOneGivesNothing) {
  const std::string whole = makeWav({}, 0);
  for (std::size_t n = 0; n < whole.size(); ++n) EXPECT_FALSE(parse(whole.substr(0, n))) << "cut at " << n;
  std::string junk = "junk";
  putLittleEndian(junk, 0xFFFFFFF7, 4);  // a huge chunk ends the walk: no loop, no read past the end
  const std::pair<std::string, const char*> bad[] = {
      {patched(makeWav({}), 0, "RIFX"), "big-endian RIFF"}, {patched(makeWav({}), 8, "AVI "), "not WAVE"},
      {makeWav({.rate = 0}), "no sample rate"}, {makeWav({.channels = 0}), "no channels"},
      {patched(makeWav({}), 12, "junk"), "data without a format"},
      {patched(makeWav({}), 16, std::string("\x08", 1)), "format of 8 bytes"},
      {makeWav({.before = junk}), "huge chunk before the data"}};
  for (const auto& [bytes, what] : bad) EXPECT_FALSE(parse(bytes)) << what;
}

TEST(SoundMeter, AndTheGameReadFilesOnDiskOnlyAsFarAsTheyGoAndTheMeterOnlySixteenBitPcm) {
  QTemporaryDir dir;
  const std::filesystem::path base = dir.path().toStdString(), file = base / "x.wav";
  // Two frames at 1 kHz: 2 ms, of 0.5 and -0.5.
  const std::string halves = wavBytes({.channels = 1, .rate = 1000, .data = std::string("\x00\x40\x00\xC0", 4)});
  using Samples = std::optional<std::vector<float>>;
  const std::tuple<const char*, std::string, Samples, std::optional<int>> cases[] = {
      {"16-bit PCM", halves, std::vector{0.5F, -0.5F}, 2},
      {"data shorter than its header says", halves.substr(0, 47), std::vector{0.5F}, 1},
      {"8-bit PCM", makeWav({.channels = 1, .rate = 1000, .bits = 8}, 2), std::nullopt, 2},
      {"16-bit, not PCM", makeWav({.format = 3, .channels = 1, .rate = 1000}, 2), std::nullopt, 2},
      {"text", "načítám data...", std::nullopt, std::nullopt},
      {"empty", "", std::nullopt, std::nullopt},
  };
  for (const auto& [what, bytes, samples, ms] : cases) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    const std::optional<Pcm> pcm = readPcm16(file);
    EXPECT_EQ(pcm ? Samples(pcm->samples) : std::nullopt, samples) << what;
    EXPECT_EQ(wavDurationMs(file), ms) << what;
  }
  for (const char* name : {"missing.wav", ""}) {
    EXPECT_EQ(readPcm16(base / name), std::nullopt) << '"' << name << '"';
    EXPECT_EQ(wavDurationMs(base / name), std::nullopt) << '"' << name << '"';
  }
}

// Where the meter finds onsets and quiet stretches is checked below on the game's own sounds,
// at known times.
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

constexpr double s(int ms) { return ms / 1000.0; }
using namespace media;

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
  std::vector<std::string> shortSounds(kEffects.begin(), kEffects.end());
  shortSounds.push_back(kMenuSound);
  for (const std::string& name : shortSounds) {
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

// The poll: the voting picks up at the empty graph. (Its closing cue on the bars is measured
// as the game plays it by game/check_e2e_sound.py.)
TEST(EffectFiles, PollPicksUpAtTheEmptyGraph) {
  const Pcm p = load(kSoundPoll);
  const double graph = s(lifelines::kPollEmptyGraphMs);
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
