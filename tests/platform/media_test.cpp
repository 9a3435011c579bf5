#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

#include "assets/sound_samples.h"
#include "fakes/event_loop.h"
#include "platform/form.h"
#include "platform/qt/form_view.h"
#include "platform/qt/media_players.h"
#include "platform/qt/media_system.h"
#include "platform/qt_clock.h"

namespace kvz {
namespace {

// Every operation a game runs, on every player, with missing, empty, garbage and cut-off
// files, no name and a folder, as on a machine whose sound server cannot be reached: the
// game goes on, and no window of a media library ever appears over it.
TEST(Players, BadFilesWithoutASoundServerOpenNoWindowOfTheirOwn) {
  qputenv("PULSE_SERVER", "unix:/nonexistent/kvizarion-no-sound-server");  // before the first player
  QTemporaryDir dir;
  const auto file = [&](const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(QLatin1String(name)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    return f.fileName();
  };
  const QStringList bad = {dir.filePath(QStringLiteral("missing.wav")), file("empty.wav", {}),
                           file("garbage.wav", QByteArray(3000, '\x7f')),
                           file("short.wav", QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16)), QString(), dir.path()};
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
  EffectPlayer effects(bad);
  MusicPlayer music;
  MediaSystem media(bad);
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

TEST(Players, TheCountdownVideoStartsFromItsBeginningAtEveryPlay) {
  const QString video = QString::fromStdString(testing::sndFile("odpocet.avi").string());
  std::vector<qint64> frames;  // the time of each frame shown, ms into the file; outlives the player
  QWidget surface;
  surface.resize(120, 120);
  VideoPlayer player;
  player.attachSurface(&surface);
  auto* widget = surface.findChild<QVideoWidget*>();
  ASSERT_NE(widget, nullptr);
  QObject::connect(widget->videoSink(), &QVideoSink::videoFrameChanged, widget,
                   [&](const QVideoFrame& f) { frames.push_back(f.startTime() / 1000); });
  // Waits for a frame that satisfies the condition; deadlines only catch "never happens".
  const auto frameWhere = [&](auto&& ok) {
    for (int waited = 0; waited < 10000; waited += 20) {
      if (!frames.empty() && ok(frames.back())) return true;
      fakes::runEvents(20);
    }
    return false;
  };
  player.setFile(video);
  for (int play = 1; play <= 3; ++play) {
    frames.clear();
    player.play();
    if (!frameWhere([](qint64 t) { return t >= 1000; })) GTEST_SKIP() << "this machine shows no frame of the video";
    EXPECT_LT(frames.front(), 500) << "play " << play << " began at " << frames.front() << " ms into the video";
    player.stop();
    fakes::runEvents(100);
    if (play == 2) player.setFile(video);  // the same file again halts it and keeps it loaded
  }
}

// A player that logs what reaches it and where its picture is shown.
struct LoggingPlayer final : MediaBackend, VideoSurfaceUser {
  explicit LoggingPlayer(QStringList& log) : log(log) {}
  void setFile(const QString& path) override { log << QStringLiteral("file ") + path; }
  void play() override { log << QStringLiteral("play"); }
  void stop() override { log << QStringLiteral("stop"); }
  void attachSurface(QWidget* s) override { surface = s; }
  void detachSurface(QWidget* s) override { surface = surface == s ? nullptr : surface; }
  QStringList& log;
  QWidget* surface = nullptr;
};

// Made only when first played (or after the first paint), with the last file and the place
// it was given before; its picture goes back to it before the window goes.
TEST(LazyMedia, MakesThePlayerOnlyWhenNeededAndHandsOnWhatItWasGiven) {
  QStringList log;
  LoggingPlayer* real = nullptr;
  LazyMedia lazy(QStringLiteral("video"), [&] {
    auto player = std::make_unique<LoggingPlayer>(log);
    real = player.get();
    return player;
  });
  Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  form.add(ElementKind::Media, QStringLiteral("WMP3"), {480, 120, 1800, 1800}).setMedia(&lazy);
  auto view = std::make_unique<FormView>(form);
  lazy.stop();
  lazy.setFile(QStringLiteral("/x/snd/tel.wav"));
  lazy.setFile(QStringLiteral("/x/snd/odpocet.avi"));
  EXPECT_EQ(real, nullptr);
  lazy.play();
  lazy.create();
  ASSERT_NE(real, nullptr);
  EXPECT_EQ(log, (QStringList{QStringLiteral("file /x/snd/odpocet.avi"), QStringLiteral("play")}));
  EXPECT_EQ(real->surface, view->elementWidget(QStringLiteral("WMP3")));
  view.reset();
  EXPECT_EQ(real->surface, nullptr);

  LazyMedia none(QStringLiteral("effects"), [] { return std::unique_ptr<MediaBackend>(); });
  EXPECT_NO_THROW(none.play()) << "a player that cannot be made is silent";
  EXPECT_TRUE(none.created());
}

std::vector<QString> timingLines;
void keepTimingLine(QtMsgType, const QMessageLogContext& context, const QString& text) {
  if (QLatin1String(context.category) == QLatin1String("kvizarion.timing")) timingLines.push_back(text);
}

TEST(TimingLog, MarksEveryTimerTickAndPlayerOperationWithAMonotonicStamp) {
  QLoggingCategory::setFilterRules(QStringLiteral("kvizarion.timing=true"));
  const QtMessageHandler previous = qInstallMessageHandler(keepTimingLine);
  {
    QtClock clock;  // outlives the form's timers
    Form form(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
    Timer& tick = form.addTimer(clock, QStringLiteral("tmrBlik"), 1, false);
    tick.onTick = [&] { tick.setEnabled(false); };
    Element& wmp3 = form.add(ElementKind::Media, QStringLiteral("WMP3"), {480, 120, 1800, 1800});
    LazyMedia video(QStringLiteral("video"), [] { return std::make_unique<SilentMedia>(); });
    wmp3.setMedia(&video);
    FormView view(form);
    view.show();
    QApplication::processEvents();
    timingLines.clear();  // the window's own first placing of the picture is not the game's
    video.setFile(QStringLiteral("/x/snd/odpocet.avi"));
    video.play();
    wmp3.setTop(1200);
    video.stop();
    tick.setEnabled(true);
    for (int waited = 0; waited < 5000 && tick.enabled(); waited += 10) fakes::runEvents(10);
  }
  qInstallMessageHandler(previous);
  QLoggingCategory::setFilterRules(QString());
  std::vector<QString> what;
  qint64 last = 0;
  for (const QString& line : timingLines) {
    const qint64 stamp = line.section(QLatin1Char(' '), 0, 0).toLongLong();
    EXPECT_GE(stamp, last) << line.toStdString();
    last = stamp;
    what.push_back(line.section(QLatin1Char(' '), 1));
  }
  EXPECT_EQ(what, (std::vector<QString>{QStringLiteral("video set file /x/snd/odpocet.avi"), QStringLiteral("video play"),
                                        QStringLiteral("video move 32,80"), QStringLiteral("video stop"),
                                        QStringLiteral("tick tmrBlik")}));
}

}  // namespace
}  // namespace kvz
