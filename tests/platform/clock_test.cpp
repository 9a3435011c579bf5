#include <gtest/gtest.h>

#include <QTest>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/form.h"
#include "platform/qt/window_system.h"
#include "platform/qt_clock.h"
#include "platform/random.h"

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

}  // namespace
}  // namespace kvz
