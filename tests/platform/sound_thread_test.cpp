#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>
#include <QThread>
#include <mutex>
#include <semaphore>

#include "platform/qt/sound_thread.h"

namespace kvz {
namespace {

// A player whose play() waits, as a pipeline that is slow to start does, until it is let go
// (or 10 s pass). What it is told, and where, goes to a list the test reads.
struct Record {
  std::mutex lock;
  QStringList calls;
  std::binary_semaphore letGo{0};
  QThread* caller = QThread::currentThread();
  void add(const QString& call) {
    const std::lock_guard held(lock);
    calls << (QThread::currentThread() == caller ? QStringLiteral("in the caller: ") : QString()) + call;
  }
  QStringList seen() {
    const std::lock_guard held(lock);
    return calls;
  }
};

class SlowPlayer final : public MediaBackend {
public:
  explicit SlowPlayer(Record& r) : r_(r) { r_.add(QStringLiteral("made")); }
  ~SlowPlayer() override { r_.add(QStringLiteral("ended")); }
  void setFile(const QString& path) override { r_.add(path); }
  void play() override {
    r_.add(QStringLiteral("play"));
    if (!r_.letGo.try_acquire_for(std::chrono::seconds(10))) r_.add(QStringLiteral("let go by its own timeout"));
  }
  void stop() override { r_.add(QStringLiteral("stop")); }

private:
  Record& r_;
};

TEST(SoundThread, APlayerSlowToStartHoldsUpNeitherTheGameNorItsOtherCallsOrder) {
  Record r;
  {
    SoundThread sound;
    std::unique_ptr<MediaBackend> player = sound.player([&r] { return std::make_unique<SlowPlayer>(r); });
    for (const QString& file : {QStringLiteral("bgm.wav"), QStringLiteral("r.wav")}) {
      player->setFile(file);
      player->play();  // returns at once: the game's next step is not held up
      player->stop();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.seen().size() == 3; }, 5000)) << r.seen().join(u',').toStdString();
    r.letGo.release();
    r.letGo.release();
  }
  EXPECT_EQ(r.seen(), QStringList({"made", "bgm.wav", "play", "stop", "r.wav", "play", "stop", "ended"}));
}

TEST(SoundThread, AProgramClosingWhileAPlayerHangsWaitsOnlyItsWhileAndTheThreadEndsLater) {
  Record r;
  QPointer<QThread> thread;
  {
    SoundThread sound(std::chrono::milliseconds(50));
    std::unique_ptr<MediaBackend> player = sound.player([&r, &thread] {
      thread = QThread::currentThread();
      return std::make_unique<SlowPlayer>(r);
    });
    player->play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.seen().size() == 2; }, 5000));
  }
  EXPECT_EQ(r.seen(), QStringList({"made", "play"}));  // closed while play() still hung
  r.letGo.release();
  EXPECT_TRUE(QTest::qWaitFor([&] { return thread.isNull(); }, 5000)) << "the thread left running is never deleted";
  EXPECT_EQ(r.seen(), QStringList({"made", "play", "ended"}));
}

}  // namespace
}  // namespace kvz
