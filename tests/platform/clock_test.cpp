#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"

namespace kvz {
namespace {

TEST(VirtualClock, FiresAnEnabledTimerEveryInterval) {
  VirtualClock clock;
  Timer timer(clock, 1000, true);
  std::vector<std::int64_t> ticks;
  timer.onTick = [&] { ticks.push_back(clock.nowMs()); };
  clock.advance(3500);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000, 2000, 3000}));
}

TEST(VirtualClock, IntervalZeroNeverTicksEvenWhenEnabled) {
  VirtualClock clock;
  Timer timer(clock, 0, true);
  int ticks = 0;
  timer.onTick = [&] { ++ticks; };
  clock.advance(100000);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(clock.nextDue(), -1);
}

TEST(VirtualClock, SettingTheIntervalOfARunningTimerRestartsItsCount) {
  VirtualClock clock;
  Timer timer(clock, 1000, true);
  std::vector<std::int64_t> ticks;
  timer.onTick = [&] { ticks.push_back(clock.nowMs()); };
  clock.advance(700);
  timer.setInterval(1000);  // same value, count starts again at 700
  clock.advance(1500);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1700}));
}

TEST(VirtualClock, EnablingARunningTimerAgainDoesNotRestartIt) {
  VirtualClock clock;
  Timer timer(clock, 1000, true);
  std::vector<std::int64_t> ticks;
  timer.onTick = [&] { ticks.push_back(clock.nowMs()); };
  clock.advance(700);
  timer.setEnabled(true);
  clock.advance(400);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000}));
}

TEST(VirtualClock, AHandlerMayDisableItselfAndStartAnotherTimer) {
  VirtualClock clock;
  Timer first(clock, 2000, false);
  Timer second(clock, 350, false);
  std::vector<std::pair<char, std::int64_t>> log;
  first.onTick = [&] {
    log.emplace_back('1', clock.nowMs());
    first.setEnabled(false);
    second.setEnabled(true);
  };
  second.onTick = [&] {
    log.emplace_back('2', clock.nowMs());
    if (log.size() == 3) second.setEnabled(false);
  };
  first.setEnabled(true);
  clock.advance(10000);
  EXPECT_EQ(log, (std::vector<std::pair<char, std::int64_t>>{{'1', 2000}, {'2', 2350}, {'2', 2700}}));
}

TEST(VirtualClock, AHandlerThatChangesItsOwnIntervalTicksAfterTheNewInterval) {
  VirtualClock clock;
  Timer timer(clock, 8250, true);
  std::vector<std::int64_t> ticks;
  timer.onTick = [&] {
    ticks.push_back(clock.nowMs());
    timer.setInterval(ticks.size() == 1 ? 15800 : 1220);
    if (ticks.size() == 3) timer.setEnabled(false);
  };
  clock.advance(60000);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{8250, 24050, 25270}));
}

TEST(VirtualClock, TimersDueAtTheSameTimeFireInTheOrderTheyWereArmed) {
  VirtualClock clock;
  Timer a(clock, 500, false), b(clock, 500, false);
  std::string order;
  a.onTick = [&] { order += 'a'; a.setEnabled(false); };
  b.onTick = [&] { order += 'b'; b.setEnabled(false); };
  b.setEnabled(true);
  a.setEnabled(true);
  clock.advance(500);
  EXPECT_EQ(order, "ba");
}

TEST(VirtualClock, ADestroyedTimerNeverFires) {
  VirtualClock clock;
  int ticks = 0;
  {
    Timer timer(clock, 100, true);
    timer.onTick = [&] { ++ticks; };
  }
  clock.advance(1000);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace kvz
