#pragma once

#include <QString>
#include <optional>

#include "platform/element.h"

namespace kvz::qst {

// Whether texts fit their labels on the game window, measured with the game's own fonts,
// layout and text measure.
class PlateFit {
public:
  PlateFit();
  // What is cut off of a question on its plate: the record's field, measured as the game's
  // label shows it.
  std::optional<QString> questionProblem(const QString& field) const;
  // What is cut off of an answer on its plate.
  std::optional<QString> answerProblem(const QString& field) const;

private:
  FontSpec questionFont_;
  FontSpec answerFont_;
  int answerWidth_ = 0;
};

}  // namespace kvz::qst
