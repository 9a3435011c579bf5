#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>
#include <QThread>
#include <mutex>
#include <semaphore>

#include "platform/qt/sound_thread.h"

namespace kvz {
namespace {

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
