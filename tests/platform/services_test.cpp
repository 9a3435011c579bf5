#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <semaphore>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QMediaPlayer>
#include <QPointer>
#include <QTest>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

#include "assets/layout_main.h"
#include "assets/media_files.h"
#include "assets/sound_samples.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "platform/qt/element_views.h"
#include "platform/qt/form_view.h"
#include "platform/qt/media_players.h"
#include "platform/qt/media_system.h"
#include "platform/qt/sound_thread.h"
#include "platform/qt/window_system.h"
#include "platform/qt_clock.h"
#include "platform/random.h"

// The platform's services behind the game's interfaces: the clocks and timers, the window
// system, the random source, and the players and their thread.
namespace kvz {
namespace {

using Times = std::vector<std::int64_t>;

// Arms a timer, lets the test act on it after a while, and gives the times it ticked at.
Times ticksOf(int interval, bool enabled, std::int64_t actAt, const std::function<void(Timer&)>& act,
              std::int64_t until, const std::function<void(Timer&, const Times&)>& onTick = {}) {
  VirtualClock clock;
  Timer timer(clock, interval, enabled);
  Times ticks;
  timer.onTick = [&] {
    ticks.push_back(clock.nowMs());
    if (onTick) onTick(timer, ticks);
  };
  clock.advance(actAt);
  if (act) act(timer);
  clock.advanceTo(until);
  return ticks;
}

TEST(VirtualClock, TimersTickAsAWindowSystemsTimersDo) {
  EXPECT_EQ(ticksOf(1000, true, 0, {}, 3500), (Times{1000, 2000, 3000})) << "every interval";
  EXPECT_EQ(ticksOf(0, true, 0, {}, 100000), Times{}) << "interval 0 never ticks";
  EXPECT_EQ(ticksOf(1000, false, 500, [](Timer& t) { t.setEnabled(true); }, 2000), (Times{1500}))
      << "enabling starts the count";
  EXPECT_EQ(ticksOf(1000, true, 700, [](Timer& t) { t.setInterval(1000); }, 2200), (Times{1700}))
      << "setting the interval, even to the same value, restarts the count";
  EXPECT_EQ(ticksOf(1000, true, 700, [](Timer& t) { t.setEnabled(true); }, 1100), (Times{1000}))
      << "enabling a running timer does not restart it";
  EXPECT_EQ(ticksOf(1000, true, 700, [](Timer& t) { t.setEnabled(false); }, 5000), Times{}) << "disabled";
  // A handler changing its own interval: the poll's phases, lifelines_test's Poll.
  EXPECT_EQ(ticksOf(1000, true, 0, {}, 5000, [](Timer& t, const Times&) { t.setEnabled(false); }), (Times{1000}))
      << "a handler that disables its own timer is not called again";
}

// The real clock on Qt's event loop: its timers ticking no sooner than their intervals, never
// at interval 0 and counting afresh from a new interval are measured in whole games by
// game/check_e2e_game.py (each verdict at its suspense, the poll's phases). A wait here is for
// a condition, its deadline only catching a tick that never comes.
constexpr int kDeadlineMs = 5000;

TEST(QtWindowSystem, AFormCanUnloadItselfFromItsOwnTimer) {
  QtClock clock;
  QtWindowSystem windows;
  auto owned = std::make_unique<Form>(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  Form& form = *owned;
  Element& plate = form.add(ElementKind::Picture, QStringLiteral("imgA"), {0, 5880, 4800, 555});
  Timer& self = form.addTimer(clock, QStringLiteral("tmrCastka"), 5, true);
  Timer& other = form.addTimer(clock, QStringLiteral("tmrBlik"), 20, true);
  // Due after the other timer: once it has ticked, the other one would have ticked before it.
  Timer later(clock, 40, true);
  auto token = std::make_shared<int>(0);
  std::weak_ptr<int> alive = token;
  int otherTicks = 0;
  bool viewGoneAtOnce = false, laterTicked = false;
  other.onTick = [&otherTicks] { ++otherTicks; };
  later.onTick = [&] {
    laterTicked = true;
    later.setEnabled(false);
  };
  self.onTick = [&, token] {
    windows.unload(std::move(owned));
    viewGoneAtOnce = windows.viewOf(form) == nullptr;
    plate.setCaption(QStringLiteral("still here"));  // the form lives until the handler returns
  };
  token.reset();  // only the form's handler holds it now
  windows.show(form);
  ASSERT_TRUE(QTest::qWaitFor([&] { return laterTicked; }, kDeadlineMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return alive.expired(); }, kDeadlineMs)) << "the form outlived its handler";
  EXPECT_TRUE(viewGoneAtOnce);
  EXPECT_EQ(otherTicks, 0);
}

// The random source the program makes from KVIZARION_SEED, and what it wrote on stderr.
std::pair<std::unique_ptr<MtRandom>, std::string> fromSeedVariable(const char* value) {
  if (value)
    setenv("KVIZARION_SEED", value, 1);
  else
    unsetenv("KVIZARION_SEED");
  ::testing::internal::CaptureStderr();
  auto random = MtRandom::fromEnvironment();
  const std::string err = ::testing::internal::GetCapturedStderr();
  unsetenv("KVIZARION_SEED");
  return {std::move(random), err};
}

// A whole decimal number fixes the game so that it replays, even across the game's reseeds;
// anything else is refused plainly and the clock seeds the game; no variable, nothing said.
TEST(Seed, OnlyAWholeDecimalNumberFixesTheGameAndAnythingElseIsRefusedPlainly) {
  const std::pair<const char*, bool> cases[] = {
      {"0", true},     {"42", true},    {"007", true},  {"18446744073709551615", true}, {"", false},
      {"12abc", false}, {"-1", false},  {"+5", false},  {" 7", false},  {"7 ", false},  {"0x10", false},
      {"1.5", false},  {"18446744073709551616", false}, {"sedm", false}, {nullptr, false}};
  for (const auto& [value, fixed] : cases) {
    const std::string shown = value ? '"' + std::string(value) + '"' : "unset";
    auto [first, err] = fromSeedVariable(value);
    EXPECT_EQ(first->fixed(), fixed) << shown;
    if (value && !fixed)
      EXPECT_NE(err.find("KVIZARION_SEED"), std::string::npos) << shown << " refused without a word";
    else
      EXPECT_EQ(err, "") << shown;
    if (!fixed) continue;
    auto second = fromSeedVariable(value).first;
    first->seedFromClock();  // the game's reseeds must not break the replay
    for (int i = 0; i < 5; ++i) EXPECT_EQ(first->draw(1000), second->draw(1000)) << shown;
  }
}


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

// A player whose play() hangs, as a pipeline slow to start does, until the test lets it go (or
// 10 s pass). Each call it gets is listed, marked when it ran in the test's own thread.
struct SlowPlayer final : MediaBackend {
  struct Calls {
    std::mutex lock;
    QStringList list;
    std::binary_semaphore letGo{0};
    QThread* test = QThread::currentThread();
    QStringList seen() {
      const std::lock_guard held(lock);
      return list;
    }
  };
  explicit SlowPlayer(Calls& c) : c_(c) { add(QStringLiteral("made")); }
  ~SlowPlayer() override { add(QStringLiteral("ended")); }
  void setFile(const QString& path) override { add(path); }
  void play() override {
    add(QStringLiteral("play"));
    if (!c_.letGo.try_acquire_for(std::chrono::seconds(10))) add(QStringLiteral("never let go"));
  }
  void stop() override { add(QStringLiteral("stop")); }
  void add(const QString& call) {
    const std::lock_guard held(c_.lock);
    c_.list << (QThread::currentThread() == c_.test ? QStringLiteral("in the game's thread: ") : QString()) + call;
  }
  Calls& c_;
};

TEST(SoundThread, APlayerSlowToStartHoldsUpNeitherTheGameNorTheOrderOfItsCalls) {
  SlowPlayer::Calls calls;
  {
    SoundThread sound;
    const auto player = sound.player([&calls] { return std::make_unique<SlowPlayer>(calls); });
    for (const QString& file : {QStringLiteral("bgm.wav"), QStringLiteral("r.wav")}) {
      player->setFile(file);
      player->play();  // returns at once
      player->stop();
    }
    // Had a call run here, the hanging play() would have waited its 10 s and said so.
    calls.letGo.release(2);
  }
  EXPECT_EQ(calls.seen(), QStringList({"made", "bgm.wav", "play", "stop", "r.wav", "play", "stop", "ended"}))
      << calls.seen().join(u',').toStdString();
}

TEST(SoundThread, AGameClosingWhileAPlayerHangsWaitsOnlyItsWhileAndTheThreadEndsLater) {
  SlowPlayer::Calls calls;
  QPointer<QThread> thread;
  {
    SoundThread sound(std::chrono::milliseconds(50));
    const auto player = sound.player([&] {
      thread = QThread::currentThread();
      return std::make_unique<SlowPlayer>(calls);
    });
    player->play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls.seen().size() == 2; }, 5000));
  }
  EXPECT_EQ(calls.seen(), QStringList({"made", "play"}));  // closed while play() still hangs
  calls.letGo.release();
  EXPECT_TRUE(QTest::qWaitFor([&] { return thread.isNull(); }, 5000)) << "the thread left running is never deleted";
  EXPECT_EQ(calls.seen(), QStringList({"made", "play", "ended"}));
}

}  // namespace
}  // namespace kvz
