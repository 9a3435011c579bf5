#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstring>
#include <string>

#include "sound_samples.h"

namespace kvz::testing {
namespace {

void put16(std::string& s, std::uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& s, std::uint32_t v) {
  put16(s, static_cast<std::uint16_t>(v));
  put16(s, static_cast<std::uint16_t>(v >> 16));
}

struct WavShape {
  std::uint16_t format = 1;
  std::uint16_t channels = 2;
  std::uint32_t rate = 44100;
  std::uint16_t bits = 16;
  std::uint32_t frames = 44100;
  std::string before = {};  // chunks between "fmt " and "data"
  std::optional<std::uint32_t> claimedData = std::nullopt;
};

std::string makeWav(const WavShape& w) {
  const std::uint16_t align = static_cast<std::uint16_t>(w.channels * w.bits / 8);
  const std::uint32_t data = w.frames * align;
  std::string s = "RIFF";
  put32(s, static_cast<std::uint32_t>(36 + w.before.size() + data));
  s += "WAVEfmt ";
  put32(s, 16);
  put16(s, w.format);
  put16(s, w.channels);
  put32(s, w.rate);
  put32(s, w.rate * align);
  put16(s, align);
  put16(s, w.bits);
  s += w.before;
  s += "data";
  put32(s, w.claimedData.value_or(data));
  s.append(data, '\0');
  return s;
}

// The span is copied into a buffer of exactly its size, so a read past the end is caught
// by the sanitizer builds.
std::optional<WavInfo> parse(const std::string& s) {
  std::vector<std::byte> exact(s.size());
  if (!s.empty()) std::memcpy(exact.data(), s.data(), s.size());
  return readWavInfo(std::span<const std::byte>(exact));
}

TEST(WavInfo, ReadsTheLengthOfPlainPcmWhateverComesBeforeItsSamples) {
  EXPECT_EQ(parse(makeWav({}))->durationMs(), 1000);
  EXPECT_EQ(parse(makeWav({.channels = 1, .rate = 22050, .frames = 22050 * 3 / 2}))->durationMs(), 1500);
  EXPECT_EQ(parse(makeWav({.channels = 1, .bits = 8, .frames = 441}))->durationMs(), 10);
  std::string list = "LIST";
  put32(list, 5);
  list += "INFOx";
  list.push_back('\0');  // odd size: one pad byte follows
  const auto info = parse(makeWav({.before = list}));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->durationMs(), 1000);
  EXPECT_EQ(info->dataOffset, 44U + list.size());
  // ADPCM-like: 4000 bytes at a claimed 2000 bytes a second.
  std::string adpcm = makeWav({.format = 2, .channels = 1, .rate = 8000, .bits = 8, .frames = 4000});
  adpcm.replace(28, 4, std::string("\xD0\x07\0\0", 4));
  EXPECT_EQ(parse(adpcm)->durationMs(), 2000);
}

TEST(WavInfo, AFileShorterOrLongerThanItsHeaderSaysCountsTheSamplesThere) {
  std::string cut = makeWav({});
  cut.resize(44 + 44100 * 4 / 2);  // half a second survives
  EXPECT_EQ(parse(cut)->durationMs(), 500);
  // A claimed size beyond the file, a streaming writer's unset size, none at all.
  for (std::uint32_t claimed : {0x7FFFFFF0u, 0xFFFFFFFFu, 0u})
    EXPECT_EQ(parse(makeWav({.frames = 4410, .claimedData = claimed}))->durationMs(), 100) << claimed;
  std::string riff = makeWav({});
  riff.replace(4, 4, std::string("\xFF\xFF\xFF\xFF", 4));  // RIFF size beyond the file
  EXPECT_EQ(parse(riff)->durationMs(), 1000);
}

TEST(WavInfo, EveryCutOffHeaderAndEveryUnplayableOneGivesNothing) {
  const std::string whole = makeWav({.frames = 0});
  for (std::size_t n = 0; n < whole.size(); ++n) EXPECT_FALSE(parse(whole.substr(0, n))) << "cut at " << n;
  EXPECT_EQ(parse(whole)->durationMs(), 0) << "the header alone is a valid, empty sound";
  const auto patched = [](std::size_t at, std::string bytes) { return makeWav({}).replace(at, bytes.size(), bytes); };
  std::string junk = "junk";
  put32(junk, 0xFFFFFFF7);  // a huge chunk ends the walk: no loop, no read past the end
  const std::pair<std::string, const char*> bad[] = {
      {patched(0, "RIFX"), "big-endian RIFF"}, {patched(8, "AVI "), "not WAVE"},
      {makeWav({.rate = 0}), "no sample rate"}, {makeWav({.channels = 0}), "no channels"},
      {patched(12, "junk"), "data without a format"}, {patched(16, std::string("\x08", 1)), "format of 8 bytes"},
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
