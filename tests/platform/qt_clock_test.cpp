#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "fakes/event_loop.h"
#include "platform/form.h"
#include "platform/qt/window_system.h"
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

TEST(QtWindowSystem, AFormCanUnloadItselfFromItsOwnTimer) {
  QtClock clock;
  QtWindowSystem windows;
  auto owned = std::make_unique<Form>(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  Form& form = *owned;
  Element& plate = form.add(ElementKind::Picture, QStringLiteral("imgA"), {0, 5880, 4800, 555});
  Timer& self = form.addTimer(clock, QStringLiteral("tmrCastka"), 5, true);
  Timer& other = form.addTimer(clock, QStringLiteral("tmrBlik"), 20, true);
  auto token = std::make_shared<int>(0);
  std::weak_ptr<int> alive = token;
  int otherTicks = 0;
  bool viewGoneAtOnce = false;
  other.onTick = [&otherTicks] { ++otherTicks; };
  self.onTick = [&, token] {
    windows.unload(std::move(owned));
    viewGoneAtOnce = windows.viewOf(form) == nullptr;
    plate.setCaption(QStringLiteral("still here"));  // the form lives until the handler returns
  };
  token.reset();  // only the form's handler holds it now
  windows.show(form);
  fakes::runEvents(100);
  EXPECT_TRUE(viewGoneAtOnce);
  EXPECT_TRUE(alive.expired());  // destroyed once the handler had returned
  EXPECT_EQ(otherTicks, 0);
}

}  // namespace
}  // namespace kvz
