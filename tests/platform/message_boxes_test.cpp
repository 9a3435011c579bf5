#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "platform/qt/message_boxes.h"

namespace kvz {
namespace {

// Once the next modal box is up, runs the action on it (which must close it).
void whenBoxIsUp(std::function<void(QMessageBox&)> action) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, action = std::move(action)] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll->stop();
    poll->deleteLater();
    action(*box);
  });
  poll->start(10);
}

// A question offers Ano and Ne and tells which was chosen, Esc or closing it answers Ne; an
// information box has one OK.
TEST(QtMessageBoxes, ShowTheirTextAndCzechButtonsAndTellWhichWasChosen) {
  QtMessageBoxes boxes;
  const struct {
    const char* answer;  // a button's text, or Esc, or close
    MsgButtons buttons;
    MsgResult expected;
  } cases[] = {{"Ano", MsgButtons::YesNo, MsgResult::Yes}, {"Ne", MsgButtons::YesNo, MsgResult::No},
               {"Esc", MsgButtons::YesNo, MsgResult::No},  {"close", MsgButtons::YesNo, MsgResult::No},
               {"OK", MsgButtons::Ok, MsgResult::Ok}};
  for (const auto& c : cases) {
    QString text;
    QStringList buttons;
    whenBoxIsUp([&](QMessageBox& box) {
      text = box.text();
      for (QAbstractButton* b : box.buttons()) buttons << b->text();
      QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      if (c.answer == std::string("Esc")) QApplication::sendEvent(&box, &esc);
      for (QAbstractButton* b : box.buttons())
        if (b->text() == QString::fromUtf8(c.answer)) b->click();
      if (c.answer == std::string("close")) box.close();
    });
    EXPECT_EQ(boxes.show(QStringLiteral("Opravdu chcete skončit?"), QStringLiteral("Konec"), MsgIcon::Question, c.buttons),
              c.expected)
        << c.answer;
    EXPECT_EQ(text, QStringLiteral("Opravdu chcete skončit?"));
    buttons.sort();
    EXPECT_EQ(buttons, (c.buttons == MsgButtons::Ok ? QStringList{"OK"} : QStringList{"Ano", "Ne"})) << c.answer;
  }
}

// The game window may be unloaded by a timer while a box is open over it: the box must not
// die with it (it lives on the stack of the handler that opened it) nor stay behind.
TEST(QtMessageBoxes, ABoxClosesWhenItsWindowGoesOrWhenDismissed) {
  QtMessageBoxes boxes;
  for (const bool windowGoes : {true, false}) {
    for (const MsgButtons buttons : {MsgButtons::YesNo, MsgButtons::Ok}) {
      QPointer<QWidget> window = new QWidget;
      window->show();
      QApplication::setActiveWindow(window);
      ASSERT_EQ(QApplication::activeWindow(), window.data());
      whenBoxIsUp([&](QMessageBox&) {
        if (windowGoes)
          window->deleteLater();  // run by the box's own event loop, as an unloaded window is
        else
          boxes.dismiss();
      });
      EXPECT_EQ(boxes.show(QStringLiteral("Opravdu?"), QStringLiteral("Konec"), MsgIcon::Question, buttons),
                buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No);
      EXPECT_EQ(window.isNull(), windowGoes);
      EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
      delete window.data();
    }
  }
}

}  // namespace
}  // namespace kvz
