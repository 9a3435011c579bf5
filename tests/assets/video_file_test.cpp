#include <gtest/gtest.h>

#include <QImage>
#include <QMediaPlayer>
#include <QTest>
#include <QUrl>
#include <cstring>

#include "assets/layout_main.h"
#include "assets/media_files.h"
#include "platform/qt/media_players.h"
#include "sound_samples.h"

namespace kvz::testing {
namespace {

// The JPEG frames of odpocet.avi: the "00dc" chunks, found by walking the chunk sizes and
// stepping into the "movi" list.
std::vector<QImage> countdownFrames() {
  const std::vector<char> b = readBytes(mediaFile(media::kVideo));
  const auto tag = [&](std::size_t at, const char* t) { return at + 4 <= b.size() && std::memcmp(b.data() + at, t, 4) == 0; };
  std::vector<QImage> frames;
  if (!tag(0, "RIFF") || !tag(8, "AVI ")) return frames;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    std::size_t size = 0;
    for (std::size_t i = 4; i-- > 0;) size = size << 8 | static_cast<unsigned char>(b[at + 4 + i]);
    if (tag(at, "LIST") && tag(at + 8, "movi")) {
      at += 12;
      continue;
    }
    if (tag(at, "00dc") && at + 8 + size <= b.size())
      frames.push_back(QImage::fromData(reinterpret_cast<const uchar*>(b.data() + at + 8), static_cast<int>(size), "JPEG"));
    at += 8 + size + (size & 1);
  }
  return frames;
}

// Shown at its own size in the player, so never scaled and blurred, and counting down.
TEST(CountdownVideo, EveryFrameDecodesAtThePlayersSizeAndTheyChangeAsTheCountRunsDown) {
  const std::vector<QImage> frames = countdownFrames();
  ASSERT_GE(frames.size(), 3U) << "odpocet.avi is missing or holds no frames";
  VirtualClock clock;
  const Rect player = (*makeFrmMain(clock))[QStringLiteral("WMP3")].geometry();
  for (std::size_t i = 0; i < frames.size(); ++i)
    ASSERT_EQ(frames[i].size(), QSize(player.width / kTwipsPerPixel, player.height / kTwipsPerPixel)) << "frame " << i;
  EXPECT_NE(frames.front(), frames[frames.size() / 2]);
  EXPECT_NE(frames[frames.size() / 2], frames.back());
}

// The sounds need a sound server to load, so they are checked by ear instead.
TEST(CountdownVideo, TheGamesMediaLibraryLoadsItAsThirtySeconds) {
  selectMediaBackend();
  QMediaPlayer player;
  player.setSource(QUrl::fromLocalFile(QString::fromStdString(mediaFile(media::kVideo).string())));
  constexpr int kLoadDeadlineMs = 15000;
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.duration() > 0 || player.error() != QMediaPlayer::NoError; },
                              kLoadDeadlineMs));
  EXPECT_EQ(player.error(), QMediaPlayer::NoError) << player.errorString().toStdString();
  EXPECT_NEAR(player.duration(), 30000, 300);
}

}  // namespace
}  // namespace kvz::testing
