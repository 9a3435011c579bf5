#pragma once

#include <QPointer>
#include <vector>

#include "platform/messagebox.h"

class QMessageBox;

namespace kvz {

// Modal QMessageBox with Czech button texts, centred over the active window, in the game's
// look at the factor of the scene under it, each line of its text whole. The box is not a
// child of that window: a window may be unloaded while the box's own event loop runs, and a
// child would be deleted with it inside exec(). When the window goes, the box closes.
class QtMessageBoxes final : public MessageBoxes {
public:
  MsgResult show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override;
  void dismiss() override;

private:
  std::vector<QPointer<QMessageBox>> open_;
};

}  // namespace kvz
