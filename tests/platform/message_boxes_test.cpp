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

QStringList buttonTexts(const QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* b : box.buttons()) texts << b->text();
  texts.sort();
  return texts;
}

void clickButton(QMessageBox& box, const QString& text) {
  for (QAbstractButton* b : box.buttons())
    if (b->text() == text) return b->click();
  ADD_FAILURE() << "no button " << text.toStdString();
  box.close();
}

auto clicking(const char* text) {
  return [text](QMessageBox& box) { clickButton(box, QString::fromUtf8(text)); };
}

// A question offers Ano and Ne and tells which was chosen, Esc or closing it answers Ne; an
// information box has one OK.
TEST(QtMessageBoxes, ShowTheirTextTitleIconAndCzechButtonsAndTellWhichWasChosen) {
  QtMessageBoxes boxes;
  const auto escape = [](QMessageBox& box) {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &esc);
  };
  const struct {
    const char* what;
    MsgIcon icon;
    MsgButtons buttons;
    std::function<void(QMessageBox&)> answer;
    MsgResult expected;
    QMessageBox::Icon qtIcon;
    QStringList texts;
  } cases[] = {
      {"Ano", MsgIcon::Question, MsgButtons::YesNo, clicking("Ano"), MsgResult::Yes, QMessageBox::Question, {"Ano", "Ne"}},
      {"Ne", MsgIcon::Question, MsgButtons::YesNo, clicking("Ne"), MsgResult::No, QMessageBox::Question, {"Ano", "Ne"}},
      {"Esc", MsgIcon::Question, MsgButtons::YesNo, escape, MsgResult::No, QMessageBox::Question, {"Ano", "Ne"}},
      {"close", MsgIcon::Question, MsgButtons::YesNo, [](QMessageBox& box) { box.close(); }, MsgResult::No,
       QMessageBox::Question, {"Ano", "Ne"}},
      {"OK", MsgIcon::Information, MsgButtons::Ok, clicking("OK"), MsgResult::Ok, QMessageBox::Information, {"OK"}},
  };
  for (const auto& c : cases) {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    whenBoxIsUp([&](QMessageBox& box) {
      text = box.text();
      title = box.windowTitle();
      icon = box.icon();
      buttons = buttonTexts(box);
      c.answer(box);
    });
    EXPECT_EQ(boxes.show(QStringLiteral("Opravdu chcete skončit?"), QStringLiteral("Konec"), c.icon, c.buttons),
              c.expected)
        << c.what;
    EXPECT_EQ(text, QStringLiteral("Opravdu chcete skončit?"));
    EXPECT_EQ(title, QStringLiteral("Konec"));
    EXPECT_EQ(icon, c.qtIcon);
    EXPECT_EQ(buttons, c.texts);
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
