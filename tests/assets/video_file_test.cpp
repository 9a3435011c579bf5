#include <gtest/gtest.h>

#include <QEventLoop>
#include <QImage>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <cstring>
#include <string>

#include "assets/layout_main.h"
#include "sound_samples.h"

namespace kvz::testing {
namespace {

std::uint32_t le32(const std::vector<char>& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b.at(at + static_cast<std::size_t>(i)));
  return v;
}

bool tagAt(const std::vector<char>& b, std::size_t at, const char* tag) {
  return at + 4 <= b.size() && std::memcmp(b.data() + at, tag, 4) == 0;
}

// Finds a chunk or list by its tag inside [from, to), walking the chunk sizes.
std::optional<std::size_t> findChunk(const std::vector<char>& b, std::size_t from, std::size_t to, const char* tag,
                                     const char* listType = nullptr) {
  for (std::size_t at = from; at + 8 <= to;) {
    if (tagAt(b, at, tag) && (!listType || tagAt(b, at + 8, listType))) return at;
    const std::uint64_t size = le32(b, at + 4);
    at += 8 + size + (size & 1);
  }
  return std::nullopt;
}

struct Frame {
  std::size_t at;
  std::size_t size;
};

// The frames of odpocet.avi, found by walking its chunks; the size from its main header.
class CountdownVideo : public ::testing::Test {
protected:
  void SetUp() override {
    bytes = readBytes(sndFile("odpocet.avi"));
    ASSERT_GT(bytes.size(), 1000U) << "odpocet.avi is missing";
    ASSERT_TRUE(tagAt(bytes, 0, "RIFF") && tagAt(bytes, 8, "AVI "));
    ASSERT_EQ(le32(bytes, 4) + 8, bytes.size()) << "the RIFF size must cover the file";
    const auto hdrl = findChunk(bytes, 12, bytes.size(), "LIST", "hdrl");
    ASSERT_TRUE(hdrl);
    const auto avih = findChunk(bytes, *hdrl + 12, *hdrl + 8 + le32(bytes, *hdrl + 4), "avih");
    ASSERT_TRUE(avih);
    microsPerFrame = le32(bytes, *avih + 8);
    totalFrames = le32(bytes, *avih + 24);
    size = QSize(static_cast<int>(le32(bytes, *avih + 40)), static_cast<int>(le32(bytes, *avih + 44)));
    const auto movi = findChunk(bytes, 12, bytes.size(), "LIST", "movi");
    ASSERT_TRUE(movi);
    moviTag = *movi + 8;
    for (std::size_t at = *movi + 12; at + 8 <= *movi + 8 + le32(bytes, *movi + 4);) {
      const std::size_t chunk = le32(bytes, at + 4);
      ASSERT_LE(at + 8 + chunk, bytes.size());
      if (tagAt(bytes, at, "00dc")) frames.push_back({at + 8, chunk});
      at += 8 + chunk + (chunk & 1);
    }
  }
  std::vector<char> bytes;
  std::uint32_t microsPerFrame = 0, totalFrames = 0;
  QSize size;
  std::size_t moviTag = 0;
  std::vector<Frame> frames;
};

// Every frame a whole JPEG that the index points at, as many as the header says, at 10 a second
// or more (the length is the media library's to tell, below).
TEST_F(CountdownVideo, EveryFrameIsAWholeJpegAndTheIndexPointsAtEachOne) {
  ASSERT_FALSE(frames.empty());
  ASSERT_EQ(frames.size(), totalFrames);
  EXPECT_LE(microsPerFrame, 100000U);
  const auto idx1 = findChunk(bytes, 12, bytes.size(), "idx1");
  ASSERT_TRUE(idx1);
  ASSERT_EQ(le32(bytes, *idx1 + 4), frames.size() * 16);
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const Frame& f = frames[i];
    ASSERT_GE(f.size, 4U);
    EXPECT_TRUE(byte(f.at) == 0xFF && byte(f.at + 1) == 0xD8) << "no start-of-image marker in frame " << i;
    EXPECT_TRUE(byte(f.at + f.size - 2) == 0xFF && byte(f.at + f.size - 1) == 0xD9) << "no end-of-image in frame " << i;
    const std::size_t entry = *idx1 + 8 + i * 16;
    EXPECT_TRUE(tagAt(bytes, entry, "00dc"));
    EXPECT_EQ(moviTag + le32(bytes, entry + 8), f.at - 8) << "frame " << i;
    EXPECT_EQ(le32(bytes, entry + 12), f.size);
  }
}

TEST_F(CountdownVideo, FramesDecodeAtThePlayersSizeAndChangeAsTheCountRunsDown) {
  ASSERT_GE(frames.size(), 2U);
  auto decode = [this](std::size_t i) {
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data() + frames[i].at),
                            static_cast<int>(frames[i].size), "JPEG");
  };
  const QImage first = decode(0), middle = decode(frames.size() / 2), last = decode(frames.size() - 1);
  ASSERT_FALSE(first.isNull());
  ASSERT_FALSE(last.isNull());
  EXPECT_EQ(first.size(), size);
  // Shown at its own size in the player, so it is never scaled and blurred.
  VirtualClock clock;
  const Rect player = (*makeFrmMain(clock))[QStringLiteral("WMP3")].geometry();
  EXPECT_EQ(first.size(), QSize(player.width / kTwipsPerPixel, player.height / kTwipsPerPixel));
  EXPECT_NE(first, middle);
  EXPECT_NE(middle, last);
}

// What the game's media library makes of the video: its length in ms, or -1 if it cannot
// load it. (The sounds need a sound server to load, so they are checked by ear instead.)
qint64 playerDuration(const std::filesystem::path& file) {
  QMediaPlayer player;
  QEventLoop loop;
  auto settled = [&player] {
    return player.mediaStatus() == QMediaPlayer::InvalidMedia ||
           (player.mediaStatus() == QMediaPlayer::LoadedMedia && player.duration() > 0);
  };
  auto check = [&] {
    if (settled()) loop.quit();
  };
  QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, check);
  QObject::connect(&player, &QMediaPlayer::durationChanged, &loop, check);
  QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(15000, &loop, &QEventLoop::quit);
  player.setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  if (!settled()) loop.exec();
  return player.mediaStatus() == QMediaPlayer::LoadedMedia ? player.duration() : -1;
}

TEST_F(CountdownVideo, TheGamesMediaLibraryLoadsItAsThirtySeconds) {
  EXPECT_NEAR(playerDuration(sndFile("odpocet.avi")), 30000, 300);
}

}  // namespace
}  // namespace kvz::testing
