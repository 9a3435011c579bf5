#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <vector>

#include "fakes/event_loop.h"
#include "platform/qt_clock.h"

namespace kvz {
namespace {

using fakes::runEvents;

TEST(QtClock, AnEnabledTimerTicksOnTheEventLoopEveryInterval) {
  QtClock clock;
  Timer timer(clock, 50, true);
  std::vector<std::int64_t> ticks;
  timer.onTick = [&] { ticks.push_back(clock.nowMs()); };
  runEvents(280);
  ASSERT_GE(ticks.size(), 4u);
  EXPECT_LE(ticks.size(), 6u);
  EXPECT_GE(ticks.front(), 45);
  for (std::size_t i = 1; i < ticks.size(); ++i) EXPECT_GE(ticks[i] - ticks[i - 1], 40);
}

TEST(QtClock, SettingTheIntervalRestartsTheCount) {
  QtClock clock;
  Timer timer(clock, 100, true);
  std::vector<std::int64_t> ticks;
  timer.onTick = [&] { ticks.push_back(clock.nowMs()); };
  QObject guard;
  QTimer::singleShot(70, &guard, [&] { timer.setInterval(100); });
  runEvents(200);
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_GE(ticks[0], 160);
}

TEST(QtClock, ATimerDisabledInItsOwnTickTicksOnceAndAZeroIntervalNever) {
  QtClock clock;
  Timer once(clock, 20, true);
  Timer never(clock, 0, true);
  int onceTicks = 0, neverTicks = 0;
  once.onTick = [&] {
    ++onceTicks;
    once.setEnabled(false);
  };
  never.onTick = [&] { ++neverTicks; };
  runEvents(150);
  EXPECT_EQ(onceTicks, 1);
  EXPECT_EQ(neverTicks, 0);
  once.setEnabled(true);  // and it can be started again
  runEvents(60);
  EXPECT_EQ(onceTicks, 2);
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
  runEvents(100);
  EXPECT_EQ(victimTicks, 0);
}

}  // namespace
}  // namespace kvz
