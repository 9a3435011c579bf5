#pragma once

#include <QString>

namespace kvz {

enum class MsgIcon { Information, Question };
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

// Modal message boxes. The Qt one shows a QMessageBox; tests answer with a scripted double.
class MessageBoxes {
public:
  virtual ~MessageBoxes() = default;
  virtual MsgResult show(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons) = 0;
};

}  // namespace kvz
