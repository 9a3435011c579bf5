#include "plate_fit.h"

#include "assets/layout_main.h"
#include "game/round.h"
#include "platform/qt/element_views.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text_wrap.h"
#include "questions/label_text.h"

namespace kvz::qst {

PlateFit::PlateFit() {
  VirtualClock clock;
  const std::unique_ptr<Form> form = makeFrmMain(clock);
  questionFont_ = (*form)[QStringLiteral("lblZadani")].look().font;
  answerFont_ = (*form)[QStringLiteral("lblA")].look().font;
  answerWidth_ = (*form)[QStringLiteral("lblA")].geometry().width;
}

std::optional<QString> PlateFit::questionProblem(const QString& field) const {
  const QString text = labelText(field);
  // The game puts a question on one line when it is no wider than the plate's text area.
  const QtTextMeasure measure;
  if (measure.widthTwips(text, questionFont_) <= round::kZadaniWidth) {
    if (measure.widthTwips(oneLine(text), questionFont_) <= round::kZadaniWidth) return std::nullopt;
    return QStringLiteral("the question is wider than its plate and is cut off");
  }
  // Otherwise it wraps it in a label of two lines' height, as the game window draws it.
  const WrappedText wrapped(text, qtFont(questionFont_), Align::Center, twipsToPixels(round::kZadaniWidth),
                            twipsToPixels(round::kTwoLinesHeight));
  if (wrapped.neededLines() > wrapped.shownLines())
    return QStringLiteral("the question needs %1 lines on its plate; only %2 fit and the rest is cut off")
        .arg(wrapped.neededLines()).arg(wrapped.shownLines());
  if (wrapped.tooWide()) return QStringLiteral("a word of the question is wider than its plate and is cut off");
  return std::nullopt;
}

std::optional<QString> PlateFit::answerProblem(const QString& field) const {
  const int width = QtTextMeasure().widthTwips(oneLine(labelText(field)), answerFont_);
  if (width <= answerWidth_) return std::nullopt;
  return QStringLiteral("is %1 twips wide; its plate shows %2 and cuts off the rest").arg(width).arg(answerWidth_);
}

}  // namespace kvz::qst
