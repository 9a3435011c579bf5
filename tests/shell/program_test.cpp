#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <csignal>

#include "shell/qt/termination_signals.h"

namespace kvz {
namespace {

// A signal is handled on the event loop, never inside the handler; a second one of the
// same kind, and any after the bridge is gone, gets the default action.
TEST(TerminationSignals, EachSignalReachesTheEventLoopOnceAndThenHasItsDefaultAction) {
  std::vector<int> received;
  const auto action = [](int s) {
    struct sigaction now {};
    return sigaction(s, nullptr, &now), now.sa_handler;
  };
  {
    TerminationSignals bridge([&](int s) { received.push_back(s); });
    ASSERT_TRUE(bridge.installed());
    std::raise(SIGHUP);
    std::raise(SIGINT);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(action(SIGHUP), SIG_DFL);
    EXPECT_NE(action(SIGTERM), SIG_DFL);
    const QDeadlineTimer bound(1000);  // a bound on the wait, not a measurement
    while (received.size() < 2 && !bound.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_EQ(received, (std::vector<int>{SIGHUP, SIGINT}));
  EXPECT_EQ(action(SIGTERM), SIG_DFL);
}

}  // namespace
}  // namespace kvz
