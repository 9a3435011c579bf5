#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QApplication>
#include <QFile>
#include <QMediaPlayer>
#include <QTest>
#include <QTemporaryDir>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

#include "assets/layout_main.h"
#include "assets/media_files.h"
#include "assets/sound_samples.h"
#include "platform/form.h"
#include "platform/qt/element_views.h"
#include "platform/qt/form_view.h"
#include "platform/qt/media_players.h"
#include "platform/qt/media_system.h"

namespace kvz {
namespace {

// Every operation a game runs, on every player, with missing, empty, garbage and cut-off
// files, no name and a folder, as on a machine whose sound server cannot be reached: the
// game goes on, and no window of a media library ever appears over it.
TEST(Players, BadFilesWithoutASoundServerOpenNoWindowOfTheirOwn) {
  qputenv("PULSE_SERVER", "unix:/nonexistent/kvizarion-no-sound-server");  // before the first player
  QTemporaryDir dir;
  QStringList bad = {dir.filePath(QStringLiteral("missing.wav")), QString(), dir.path()};
  for (const QByteArray& bytes : {QByteArray(), QByteArray(3000, '\x7f'), QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16)}) {
    QFile f(dir.filePath(QStringLiteral("bad%1.wav").arg(bad.size())));  // empty, garbage, cut off
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
    bad << f.fileName();
  }
  const auto playAll = [&](MediaBackend& player) {
    for (const QString& f : bad) {
      player.setFile(f);
      player.play();
      player.play();
      QApplication::processEvents();
      player.stop();
      player.stop();
    }
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
  };
  SoundPlayer effects(bad);
  SoundPlayer music(bad, SoundPlayer::Repeat::Forever);
  MediaSystem media(bad, bad.constFirst());
  for (MediaBackend* player : std::initializer_list<MediaBackend*>{&effects, &music, &media.music(), &media.effects()})
    playAll(*player);
  Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  form.add(ElementKind::Media, QStringLiteral("WMP3"), {480, 120, 1800, 1800}).setMedia(&media.video());
  {
    FormView view(form);
    media.createAfterFirstPaint();
    playAll(media.video());
  }
  playAll(media.video());  // the window went first: the video player must not touch it
}

// A play that shows no frame at all is this test's fault too, never a skip. Frames of the play
// before may still arrive after its stop, so each play is waited on until it has shown its
// beginning and run on past it; a play that goes on where the one before stopped never does.
// Every frame is shown at the player's own size, so never scaled and blurred, and the count
// runs down: the picture a second in is not the first one.
TEST(CountdownVideo, StartsFromItsBeginningAtEveryPlayAtThePlayersSizeCountingDown) {
  constexpr int kFramesDeadlineMs = 10000;
  const QString video = QString::fromStdString(testing::mediaFile(media::kVideo).string());
  VirtualClock clock;
  const QRect place = toPixels((*makeFrmMain(clock))[QStringLiteral("WMP3")].geometry());
  std::vector<qint64> frames;  // the time of each frame shown, ms into the file; outlives the player
  std::vector<QSize> sizes;
  QImage first, later;
  QWidget surface;
  surface.resize(120, 120);
  VideoPlayer player;
  player.attachSurface(&surface);
  auto* widget = surface.findChild<QVideoWidget*>();
  ASSERT_NE(widget, nullptr);
  QObject::connect(widget->videoSink(), &QVideoSink::videoFrameChanged, widget, [&](const QVideoFrame& f) {
    frames.push_back(f.startTime() / 1000);
    sizes.push_back(f.size());
    if (frames.back() < 500 && first.isNull()) first = f.toImage();
    if (frames.back() >= 1000 && later.isNull()) later = f.toImage();
  });
  const auto beganAndRanOn = [&] {
    const auto begun = std::find_if(frames.begin(), frames.end(), [](qint64 t) { return t < 500; });
    return std::any_of(begun, frames.end(), [](qint64 t) { return t >= 1000; });
  };
  player.setFile(video);
  for (int play = 1; play <= 3; ++play) {
    frames.clear();
    player.play();
    EXPECT_TRUE(QTest::qWaitFor(beganAndRanOn, kFramesDeadlineMs))
        << "play " << play << ": " << frames.size() << " frames shown"
        << (frames.empty() ? std::string() : ", the first at " + std::to_string(frames.front()) + " ms into the video");
    player.stop();
    if (play == 2) player.setFile(video);  // the same file again halts it and keeps it loaded
  }
  EXPECT_EQ(std::count(sizes.begin(), sizes.end(), place.size()), std::ssize(sizes)) << "a frame not at the player's size";
  EXPECT_NE(first, later) << "the count does not run down";
}

// The sounds need a sound server to load, so they are checked by ear instead.
TEST(CountdownVideo, TheGamesMediaLibraryLoadsItAsThirtySeconds) {
  selectMediaBackend();
  QMediaPlayer player;
  player.setSource(QUrl::fromLocalFile(QString::fromStdString(testing::mediaFile(media::kVideo).string())));
  constexpr int kLoadDeadlineMs = 15000;
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.duration() > 0 || player.error() != QMediaPlayer::NoError; },
                              kLoadDeadlineMs));
  EXPECT_EQ(player.error(), QMediaPlayer::NoError) << player.errorString().toStdString();
  EXPECT_NEAR(player.duration(), 30000, 300);
}

}  // namespace
}  // namespace kvz
