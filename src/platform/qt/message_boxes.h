#pragma once

#include "platform/messagebox.h"

namespace kvz {

// Modal QMessageBox over the active window, with Czech button texts.
class QtMessageBoxes final : public MessageBoxes {
public:
  MsgResult show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override;
};

}  // namespace kvz
