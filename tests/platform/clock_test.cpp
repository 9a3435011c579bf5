#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"

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
  const auto nothing = [](Timer&) {};
  EXPECT_EQ(ticksOf(1000, true, 0, nothing, 3500), (Times{1000, 2000, 3000})) << "every interval";
  EXPECT_EQ(ticksOf(0, true, 0, nothing, 100000), Times{}) << "interval 0 never ticks";
  EXPECT_EQ(ticksOf(1000, false, 500, [](Timer& t) { t.setEnabled(true); }, 2000), (Times{1500}))
      << "enabling starts the count";
  EXPECT_EQ(ticksOf(1000, true, 700, [](Timer& t) { t.setInterval(1000); }, 2200), (Times{1700}))
      << "setting the interval, even to the same value, restarts the count";
  EXPECT_EQ(ticksOf(1000, true, 700, [](Timer& t) { t.setEnabled(true); }, 1100), (Times{1000}))
      << "enabling a running timer does not restart it";
  EXPECT_EQ(ticksOf(1000, true, 700, [](Timer& t) { t.setEnabled(false); }, 5000), Times{}) << "disabled";
  // A handler that changes its own interval ticks after the new one (the audience poll's phases).
  EXPECT_EQ(ticksOf(8250, true, 0, nothing, 60000,
                    [](Timer& t, const Times& ticks) {
                      t.setInterval(ticks.size() == 1 ? 15800 : 1220);
                      if (ticks.size() == 3) t.setEnabled(false);
                    }),
            (Times{8250, 24050, 25270}));
}

// A destroyed timer never fires and leaves nothing due.
TEST(VirtualClock, AHandlerMayStopItselfAndStartAnotherTiesFireInTheOrderArmedAndADestroyedTimerNever) {
  VirtualClock clock;
  Timer first(clock, 2000, false), second(clock, 350, false), tie(clock, 2000, false);
  std::string log;
  {
    Timer gone(clock, 100, true);
    gone.onTick = [&] { log += "gone "; };
  }
  first.onTick = [&] {
    log += "1@" + std::to_string(clock.nowMs()) + ' ';
    first.setEnabled(false);
    second.setEnabled(true);
  };
  tie.onTick = [&] {
    log += "t ";
    tie.setEnabled(false);
  };
  second.onTick = [&] {
    log += "2@" + std::to_string(clock.nowMs()) + ' ';
    if (log.size() > 20) second.setEnabled(false);
  };
  first.setEnabled(true);
  tie.setEnabled(true);
  clock.advance(10000);
  EXPECT_EQ(log, "1@2000 t 2@2350 2@2700 ");
  EXPECT_EQ(clock.nextDue(), -1);
}

}  // namespace
}  // namespace kvz
