#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <csignal>

#include "shell/qt/application.h"
#include "shell/qt/termination_signals.h"

namespace kvz {
namespace {

// Lets the event loop run until the condition holds or a second has passed.
template <class Condition>
bool processUntil(Condition done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 1000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

TEST(TerminationSignals, EachSignalReachesTheEventLoopAsItsOwnCall) {
  std::vector<int> received;
  {
    TerminationSignals bridge([&](int s) { received.push_back(s); });
    ASSERT_TRUE(bridge.installed());
    std::raise(SIGHUP);
    std::raise(SIGINT);
    EXPECT_TRUE(received.empty());  // nothing runs inside the handler itself
    EXPECT_TRUE(processUntil([&] { return received.size() == 2; }));
  }
  EXPECT_EQ(received, (std::vector<int>{SIGHUP, SIGINT}));
  // Once the bridge is gone the signals have their default action again.
  struct sigaction now {};
  sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST(TerminationSignals, ASecondSignalOfTheSameKindGetsTheDefaultAction) {
  int calls = 0;
  TerminationSignals bridge([&](int) { ++calls; });
  std::raise(SIGTERM);
  struct sigaction now {};
  sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
  EXPECT_TRUE(processUntil([&] { return calls == 1; }));
}

std::vector<QWidget*> shownWindows() {
  std::vector<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) shown.push_back(w);
  return shown;
}

TEST(Program, StartsOnTheMenuAtTheCornerAndASignalEndsIt) {
  {
    Application program({QStringLiteral("no_fullscreen")});
    program.start();
    const auto shown = shownWindows();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->size(), QSize(640, 480));
    EXPECT_EQ(shown[0]->pos(), QPoint(0, 0));
    std::raise(SIGTERM);
    EXPECT_TRUE(processUntil([] { return shownWindows().empty(); }));
  }
  EXPECT_TRUE(shownWindows().empty());
}

}  // namespace
}  // namespace kvz
