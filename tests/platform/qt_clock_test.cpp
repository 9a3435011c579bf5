#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "fakes/event_loop.h"
#include "platform/qt_clock.h"

// The real clock on Qt's event loop. Timing is the virtual clock's to test; here a busy
// machine may only make ticks late, so times are checked from below only, and waits have
// deadlines that catch a tick that never comes.
namespace kvz {
namespace {

// Runs the event loop until the condition holds or 5 s have passed.
bool runUntil(const std::function<bool()>& done) {
  for (int waited = 0; waited < 5000; waited += 5) {
    if (done()) return true;
    fakes::runEvents(5);
  }
  return done();
}

struct Ticks {
  explicit Ticks(Timer& timer, const QtClock& clock) { timer.onTick = [this, &clock] { at.push_back(clock.nowMs()); }; }
  std::vector<std::int64_t> at;
};

// Setting the interval, even at once, restarts the count: the first arming no longer counts.
TEST(QtClock, ATimerTicksAgainAndAgainNeverBeforeItsIntervalAZeroIntervalNeverAndANewIntervalRestartsTheCount) {
  QtClock clock;
  const std::int64_t start = clock.nowMs();
  Timer timer(clock, 30, true), never(clock, 0, true), restarted(clock, 20, true);
  Ticks ticks(timer, clock), none(never, clock), late(restarted, clock);
  const std::int64_t restart = clock.nowMs();
  restarted.setInterval(300);
  ASSERT_TRUE(runUntil([&] { return ticks.at.size() >= 3 && !late.at.empty(); }));
  // Each tick counts from when the one before was due, so only the k-th tick's own time is bounded.
  for (std::size_t i = 0; i < ticks.at.size(); ++i) EXPECT_GE(ticks.at[i] - start, 30 * std::int64_t(i + 1) - 1) << i;
  EXPECT_TRUE(none.at.empty());
  EXPECT_GE(late.at[0] - restart, 299) << "the first arming still counted";
}

TEST(QtClock, ATimerDisabledInItsOwnTickTicksOnceAndStartsAgainWhenEnabled) {
  QtClock clock;
  Timer once(clock, 10, true);
  int count = 0;
  once.onTick = [&] {
    ++count;
    once.setEnabled(false);
  };
  ASSERT_TRUE(runUntil([&] { return count == 1; }));
  fakes::runEvents(100);
  EXPECT_EQ(count, 1);
  once.setEnabled(true);
  EXPECT_TRUE(runUntil([&] { return count == 2; }));
}

TEST(QtClock, ATimerDestroyedByAnotherTimersTickNeverFires) {
  QtClock clock;
  auto victim = std::make_unique<Timer>(clock, 30, true);
  int victimTicks = 0;
  victim->onTick = [&] { ++victimTicks; };
  Timer killer(clock, 10, true);
  killer.onTick = [&] {
    victim.reset();
    killer.setEnabled(false);
  };
  ASSERT_TRUE(runUntil([&] { return !victim; }));
  fakes::runEvents(100);
  EXPECT_EQ(victimTicks, 0);
}

}  // namespace
}  // namespace kvz
