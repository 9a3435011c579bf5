#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstring>
#include <optional>
#include <string>

#include "assets/wav_info.h"
#include "sound_samples.h"

namespace kvz::testing {
namespace {

void put(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

struct WavShape {
  std::uint16_t format = 1, channels = 2;
  std::uint32_t rate = 44100;
  std::uint16_t bits = 16;
  std::uint32_t frames = 44100;
  std::string before = {};  // chunks between "fmt " and "data"
  std::optional<std::uint32_t> claimedData = std::nullopt;
};

std::string makeWav(const WavShape& w) {
  const std::uint32_t align = w.channels * w.bits / 8u, data = w.frames * align;
  std::string s = "RIFF";
  put(s, static_cast<std::uint32_t>(36 + w.before.size() + data), 4);
  s += "WAVEfmt ";
  for (const auto& [v, n] : {std::pair{16u, 4}, {w.format, 2}, {w.channels, 2}, {w.rate, 4}, {w.rate * align, 4},
                             {align, 2}, {w.bits, 2}})
    put(s, v, n);
  s += w.before + "data";
  put(s, w.claimedData.value_or(data), 4);
  return s.append(data, '\0');
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
  put(list, 5, 4);
  list += std::string("INFOx\0", 6);  // odd size: one pad byte follows
  // ADPCM-like: 4000 bytes at a claimed 2000 bytes a second.
  const std::string adpcm = patched(makeWav({.format = 2, .channels = 1, .rate = 8000, .bits = 8, .frames = 4000}),
                                    28, std::string("\xD0\x07\0\0", 4));
  const std::pair<std::string, std::int64_t> good[] = {
      {makeWav({}), 1000}, {makeWav({.channels = 1, .rate = 22050, .frames = 33075}), 1500},
      {makeWav({.channels = 1, .bits = 8, .frames = 441}), 10}, {makeWav({.before = list}), 1000}, {adpcm, 2000},
      {makeWav({}).substr(0, 44 + 44100 * 2), 500},  // cut short: half a second survives
      {makeWav({.frames = 4410, .claimedData = 0x7FFFFFF0u}), 100},  // claimed beyond the file
      {makeWav({.frames = 4410, .claimedData = 0xFFFFFFFFu}), 100},  // a streaming writer's unset size
      {makeWav({.frames = 4410, .claimedData = 0u}), 100}, {patched(makeWav({}), 4, "\xFF\xFF\xFF\xFF"), 1000},
      {makeWav({.frames = 0}), 0}};  // the header alone is a valid, empty sound
  for (std::size_t i = 0; i < std::size(good); ++i) {
    const std::optional<WavInfo> info = parse(good[i].first);
    ASSERT_TRUE(info) << "case " << i;
    EXPECT_EQ(info->durationMs(), good[i].second) << "case " << i;
  }
  EXPECT_EQ(parse(makeWav({.before = list}))->dataOffset, 44U + list.size());
}

TEST(WavInfo, EveryCutOffHeaderAndEveryUnplayableOneGivesNothing) {
  const std::string whole = makeWav({.frames = 0});
  for (std::size_t n = 0; n < whole.size(); ++n) EXPECT_FALSE(parse(whole.substr(0, n))) << "cut at " << n;
  std::string junk = "junk";
  put(junk, 0xFFFFFFF7, 4);  // a huge chunk ends the walk: no loop, no read past the end
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
  std::ofstream(base / "ok.wav", std::ios::binary) << makeWav({.frames = 44100 * 2});
  std::ofstream(base / "empty.wav", std::ios::binary).flush();
  std::ofstream(base / "text.wav", std::ios::binary) << "načítám data...";
  EXPECT_EQ(wavDurationMs(base / "ok.wav"), 2000);
  for (const char* name : {"empty.wav", "text.wav", "missing.wav", ""})
    EXPECT_EQ(wavDurationMs(base / name), std::nullopt) << '"' << name << '"';
}

}  // namespace
}  // namespace kvz::testing
