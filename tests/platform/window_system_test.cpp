#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include "platform/form.h"
#include "platform/qt/window_system.h"
#include "fakes/event_loop.h"
#include "platform/qt_clock.h"

namespace kvz {
namespace {

using fakes::runEvents;

// A modal window blocks its owner and stays out of the task bar.
TEST(QtWindowSystem, ShowsAFixedDecoratedWindowOfTheFormMovesItAndShowsModalOnesOverIt) {
  QtWindowSystem windows;
  Form form(QStringLiteral("frmIntro"), QStringLiteral("Kvizarion"));
  windows.show(form);
  FormView* view = windows.viewOf(form);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->size(), QSize(640, 480));
  EXPECT_EQ(view->minimumSize(), view->maximumSize());
  EXPECT_FALSE(view->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(view->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(view->windowFlags().testFlag(Qt::WindowTitleHint));
  // Exactly in the middle of the screen: on a 640 x 480 screen at (0, 0), to the last pixel.
  const QRect screen = view->screen()->geometry();
  EXPECT_EQ(view->pos(), QPoint(screen.x() + (screen.width() - 640) / 2, screen.y() + (screen.height() - 480) / 2));
  windows.moveWindow(form, 0, 0);
  EXPECT_EQ(view->pos(), QPoint(0, 0));
  windows.show(form);  // showing again reuses the window
  EXPECT_EQ(windows.viewOf(form), view);
  Form rules(QStringLiteral("frmRules"), QStringLiteral("Kvizarion"));
  windows.show(rules, &form);
  FormView* modal = windows.viewOf(rules);
  ASSERT_NE(modal, nullptr);
  EXPECT_EQ(modal->windowModality(), Qt::WindowModal);
  EXPECT_EQ(modal->parentWidget(), view);
  EXPECT_EQ(modal->windowType(), Qt::Dialog);
  EXPECT_EQ(modal->size(), QSize(640, 480));
  windows.unload(std::make_unique<Form>(QStringLiteral("frmOther"), QStringLiteral("x")));  // never shown: harmless
  EXPECT_EQ(windows.viewOf(form), view);
  delete view;  // a window closed behind our back is simply no longer shown
  EXPECT_EQ(windows.viewOf(form), nullptr);
}

TEST(QtWindowSystem, FullScreenWindowsAreFramelessCoverTheirScreenAndStayThere) {
  QtWindowSystem windows(WindowFit::FullScreen);
  Form intro(QStringLiteral("frmIntro"), QStringLiteral("Kvizarion"));
  Form rules(QStringLiteral("frmRules"), QStringLiteral("Kvizarion"));
  windows.show(intro);
  windows.moveWindow(intro, 0, 0);  // the menu's move to the corner: it covers the screen already
  windows.show(rules, &intro);
  for (const Form* form : {&intro, &rules}) {
    FormView* view = windows.viewOf(*form);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->windowFlags().testFlag(Qt::FramelessWindowHint)) << form->name().toStdString();
    EXPECT_TRUE(view->isFullScreen()) << form->name().toStdString();
    EXPECT_EQ(view->geometry(), view->screen()->geometry()) << form->name().toStdString();
  }
  EXPECT_EQ(windows.viewOf(rules)->windowModality(), Qt::WindowModal);
  EXPECT_EQ(windows.viewOf(rules)->parentWidget(), windows.viewOf(intro));
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
  runEvents(100);
  EXPECT_TRUE(viewGoneAtOnce);
  EXPECT_TRUE(alive.expired());  // destroyed once the handler had returned
  EXPECT_EQ(otherTicks, 0);
}

TEST(QtWindowSystem, QuitClosesEveryWindowWithoutAskingTheForms) {
  QtWindowSystem windows;
  Form form(QStringLiteral("frmIntro"), QStringLiteral("Kvizarion"));
  int asked = 0;
  form.onCloseRequest = [&] { ++asked; };
  windows.show(form);
  QObject guard;
  QTimer::singleShot(0, &guard, [&] { windows.quit(); });
  QTimer::singleShot(2000, &guard, [] { QCoreApplication::exit(1); });  // a quit that did nothing
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_FALSE(windows.viewOf(form) && windows.viewOf(form)->isVisible());
  EXPECT_EQ(asked, 0);
}

}  // namespace
}  // namespace kvz
