#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "fakes/fakes.h"
#include "platform/form.h"
#include "platform/qt/form_view.h"
#include "platform/qt/media_players.h"
#include "platform/qt/media_system.h"

namespace kvz {
namespace {

// Every test here runs as on a machine whose sound server cannot be reached; the first
// multimedia object of the program is made after this.
class Players : public ::testing::Test {
protected:
  void SetUp() override {
    qputenv("PULSE_SERVER", "unix:/nonexistent/kvizarion-no-sound-server");
    ASSERT_TRUE(dir_.isValid());
  }

  // A file of the given bytes in the test folder.
  QString file(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }

  // Runs every operation a game runs on a player and checks that none of them blocks,
  // throws or puts up a window.
  static void exercise(MediaBackend& player, const QStringList& files) {
    QElapsedTimer clock;
    const auto quick = [&clock](const char* what, const QString& file, auto&& op) {
      clock.start();
      EXPECT_NO_THROW(op()) << what << " " << file.toStdString();
      EXPECT_LT(clock.elapsed(), kAtOnceMs) << what << " blocked on " << file.toStdString();
    };
    for (const QString& f : files) {
      quick("setFile", f, [&] { player.setFile(f); });
      quick("play", f, [&] { player.play(); });
      quick("play again", f, [&] { player.play(); });  // restarts, never mixes
      QApplication::processEvents();
      quick("stop", f, [&] { player.stop(); });
      quick("stop again", f, [&] { player.stop(); });
    }
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
  }

  // Making a player may take this long once; every other operation takes far less.
  static constexpr int kAtOnceMs = 250;

  QStringList badFiles() {
    return {dir_.filePath(QStringLiteral("missing.wav")), file(QStringLiteral("empty.wav"), {}),
            file(QStringLiteral("garbage.wav"), QByteArray(3000, '\x7f')),
            file(QStringLiteral("short.wav"), QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16)),
            QString(), dir_.path()};
  }

  QTemporaryDir dir_;
};

TEST_F(Players, TheEffectPlayerStaysSilentWithBadFilesAndNoSoundServer) {
  const QStringList bad = badFiles();
  EffectPlayer effects(bad);
  exercise(effects, bad);
}

TEST_F(Players, TheMusicPlayerStaysSilentWithBadFilesAndNoSoundServer) {
  MusicPlayer music;
  exercise(music, badFiles());
}

TEST_F(Players, TheVideoPlayerStaysSilentWithBadFilesAndNoSoundServer) {
  Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  Element& wmp3 = form.add(ElementKind::Media, QStringLiteral("WMP3"), {480, 120, 1800, 1800});
  VideoPlayer video;
  wmp3.setMedia(&video);
  {
    FormView view(form);
    exercise(video, badFiles());
  }
  // The window went first; the player outlives it without touching it.
  exercise(video, badFiles());
}

TEST_F(Players, TheGamesPlayersWorkAsAWholeWithoutSoundOrFiles) {
  MediaSystem media(badFiles());
  exercise(media.music(), badFiles());
  exercise(media.effects(), badFiles());
  media.createAfterFirstPaint();
  exercise(media.music(), badFiles());
  exercise(media.effects(), badFiles());
  exercise(media.video(), badFiles());
}

TEST(LazyMedia, KeepsTheLastFileUntilThePlayerIsMadeAndMakesItOnlyWhenNeeded) {
  VirtualClock clock;
  fakes::RecordingMedia* real = nullptr;
  int made = 0;
  LazyMedia lazy([&]() -> std::unique_ptr<MediaBackend> {
    ++made;
    auto player = std::make_unique<fakes::RecordingMedia>(clock);
    real = player.get();
    return player;
  });
  lazy.stop();  // nothing to stop yet: nothing made
  lazy.setFile(QStringLiteral("/x/snd/odpocet.avi"));
  lazy.setFile(QStringLiteral("/x/snd/bgm.wav"));
  EXPECT_EQ(made, 0);
  lazy.create();
  ASSERT_EQ(made, 1);
  ASSERT_EQ(real->log.size(), 1u);
  EXPECT_EQ(real->file(), QStringLiteral("/x/snd/bgm.wav"));
  lazy.play();
  lazy.create();
  EXPECT_EQ(made, 1);
  EXPECT_EQ(real->played(), (std::vector<QString>{QStringLiteral("bgm.wav")}));
}

TEST(LazyMedia, PlayingMakesThePlayerAndAFailedFactoryLeavesItSilent) {
  VirtualClock clock;
  fakes::RecordingMedia* real = nullptr;
  LazyMedia lazy([&]() -> std::unique_ptr<MediaBackend> {
    auto player = std::make_unique<fakes::RecordingMedia>(clock);
    real = player.get();
    return player;
  });
  lazy.setFile(QStringLiteral("/x/snd/r.wav"));
  lazy.play();
  ASSERT_NE(real, nullptr);
  EXPECT_EQ(real->played(), (std::vector<QString>{QStringLiteral("r.wav")}));

  LazyMedia none([] { return std::unique_ptr<MediaBackend>(); });
  EXPECT_NO_THROW(none.play());
  EXPECT_TRUE(none.created());
}

// A player that records which surface it shows on.
class SurfaceRecorder final : public MediaBackend, public VideoSurfaceUser {
public:
  void setFile(const QString&) override {}
  void play() override {}
  void stop() override {}
  void attachSurface(QWidget* s) override { surface = s; }
  void detachSurface(QWidget* s) override {
    if (surface == s) surface = nullptr;
  }
  QWidget* surface = nullptr;
};

TEST(LazyMedia, AVideoShowsInItsElementAndIsGivenBackBeforeTheWindowGoes) {
  Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  Element& wmp3 = form.add(ElementKind::Media, QStringLiteral("WMP3"), {480, 120, 1800, 1800});
  SurfaceRecorder* real = nullptr;
  LazyMedia lazy([&] {
    auto player = std::make_unique<SurfaceRecorder>();
    real = player.get();
    return player;
  });
  wmp3.setMedia(&lazy);
  auto view = std::make_unique<FormView>(form);
  lazy.create();  // made after the window: still finds its place
  ASSERT_NE(real, nullptr);
  EXPECT_EQ(real->surface, view->elementWidget(QStringLiteral("WMP3")));
  view.reset();
  EXPECT_EQ(real->surface, nullptr);
}

}  // namespace
}  // namespace kvz
