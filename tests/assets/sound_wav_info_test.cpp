#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "assets/wav_info.h"
#include "sound_samples.h"
#include "support/wav_bytes.h"

namespace kvz::testing {
namespace {

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
      {makeWav({}), 1000}, {makeWav({.channels = 1, .rate = 22050}, 33075), 1500},
      {makeWav({.channels = 1, .bits = 8}, 441), 10}, {makeWav({.before = list}), 1000}, {adpcm, 2000},
      {makeWav({}).substr(0, 44 + 44100 * 2), 500},  // cut short: half a second survives
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

TEST(WavInfo, FilesOnDiskThatAreNoSoundGiveNoLength) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::filesystem::path base = dir.path().toStdString();
  std::ofstream(base / "ok.wav", std::ios::binary) << makeWav({}, 44100 * 2);
  std::ofstream(base / "empty.wav", std::ios::binary).flush();
  std::ofstream(base / "text.wav", std::ios::binary) << "načítám data...";
  EXPECT_EQ(wavDurationMs(base / "ok.wav"), 2000);
  for (const char* name : {"empty.wav", "text.wav", "missing.wav", ""})
    EXPECT_EQ(wavDurationMs(base / name), std::nullopt) << '"' << name << '"';
}

}  // namespace
}  // namespace kvz::testing
