#include "platform/qt/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace kvz {

MsgResult QtMessageBoxes::show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) {
  const QPointer<QWidget> owner = QApplication::activeWindow();
  QMessageBox box(icon == MsgIcon::Question ? QMessageBox::Question : QMessageBox::Information, title, text,
                  QMessageBox::NoButton);
  box.setWindowModality(Qt::ApplicationModal);
  QPushButton* yes = nullptr;
  if (buttons == MsgButtons::Ok) {
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  } else {
    yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    // Esc and the close button answer No: leaving the box never does what Yes does.
    box.setEscapeButton(no);
  }
  if (owner) {
    QObject::connect(owner, &QObject::destroyed, &box, &QMessageBox::reject);
    box.adjustSize();
    box.move(owner->geometry().center() - box.rect().center());
  }
  open_.emplace_back(&box);
  box.exec();
  std::erase_if(open_, [&box](const QPointer<QMessageBox>& b) { return b.isNull() || b == &box; });
  // The keys go back to the window the box was opened over, if it is still there.
  if (owner && owner->isVisible()) owner->activateWindow();
  if (buttons == MsgButtons::Ok) return MsgResult::Ok;
  return box.clickedButton() == yes ? MsgResult::Yes : MsgResult::No;
}

void QtMessageBoxes::dismiss() {
  for (const QPointer<QMessageBox>& box : open_)
    if (box) box->reject();
}

}  // namespace kvz
