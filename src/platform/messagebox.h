#pragma once

#include <QString>

namespace kvz {

enum class MsgIcon { Information, Question };
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

// Modal message boxes. The Qt one shows a QMessageBox; tests answer with a double on the
// virtual clock. The window's timers go on while a box is open, as in any modal loop.
class MessageBoxes {
public:
  virtual ~MessageBoxes() = default;
  virtual MsgResult show(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons) = 0;
  // Closes every open box as the player would by its close button: a Yes/No box answers No.
  // A window that ends while a box is open over it calls this, so that no box outlives it.
  virtual void dismiss() {}
};

}  // namespace kvz
