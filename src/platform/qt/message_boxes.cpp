#include "platform/qt/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kvz {

MsgResult QtMessageBoxes::show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(icon == MsgIcon::Question ? QMessageBox::Question : QMessageBox::Information, title, text,
                  QMessageBox::NoButton, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  if (buttons == MsgButtons::Ok) {
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return MsgResult::Ok;
  }
  QPushButton* yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  // Esc and the close button answer No: leaving the box never does what Yes does.
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes ? MsgResult::Yes : MsgResult::No;
}

}  // namespace kvz
