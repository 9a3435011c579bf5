#include <gtest/gtest.h>

#include <QTest>
#include <csignal>

#include "shell/qt/termination_signals.h"

namespace kvz {
namespace {

// A signal is handled on the event loop, never inside the handler; a second one of the
// same kind, and any after the bridge is gone, gets the default action.
TEST(TerminationSignals, EachSignalReachesTheEventLoopOnceAndThenHasItsDefaultAction) {
  std::vector<int> received;
  const auto actionFor = [](int s) { struct sigaction now {}; sigaction(s, nullptr, &now); return now.sa_handler; };
  {
    TerminationSignals bridge([&](int s) { received.push_back(s); });
    ASSERT_TRUE(bridge.installed());
    std::raise(SIGHUP);
    std::raise(SIGINT);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(actionFor(SIGHUP), SIG_DFL);
    EXPECT_NE(actionFor(SIGTERM), SIG_DFL);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, 5000));  // a bound on the wait, not a measurement
  }
  EXPECT_EQ(received, (std::vector<int>{SIGHUP, SIGINT}));
  EXPECT_EQ(actionFor(SIGTERM), SIG_DFL);
}

}  // namespace
}  // namespace kvz
