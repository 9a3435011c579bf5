#include "plate_fit.h"

#include <QTextLayout>

#include "assets/layout_main.h"
#include "game/round.h"
#include "platform/qt/element_views.h"
#include "platform/qt/fonts.h"

namespace kvz::qst {

PlateFit::PlateFit() {
  VirtualClock clock;
  const std::unique_ptr<Form> form = makeFrmMain(clock);
  questionFont_ = (*form)[QStringLiteral("lblZadani")].look().font;
  answerFont_ = (*form)[QStringLiteral("lblA")].look().font;
  answerWidth_ = (*form)[QStringLiteral("lblA")].geometry().width;
}

std::optional<QString> PlateFit::questionProblem(const QString& text) const {
  // The game puts a question on one line when it is no wider than the plate's text area.
  if (QtTextMeasure().widthTwips(text, questionFont_) <= round::kZadaniWidth) return std::nullopt;

  // Otherwise it wraps it at word boundaries in a label of two lines' height and draws
  // only the lines that fit whole, as the game window's text labels do.
  const qreal width = twipsToPixels(round::kZadaniWidth);
  const qreal height = twipsToPixels(round::kTwoLinesHeight);
  QTextLayout layout(text, qtFont(questionFont_));
  QTextOption option(Qt::AlignHCenter);
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  int lines = 0, shown = 0;
  qreal y = 0;
  bool tooWide = false;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, y));
    ++lines;
    if (lines == 1 || y + line.height() <= height) shown = lines;
    tooWide = tooWide || line.naturalTextWidth() > width;
    y += line.height();
  }
  layout.endLayout();
  if (lines > shown)
    return QStringLiteral("the question needs %1 lines on its plate; only %2 fit and the rest is cut off")
        .arg(lines).arg(shown);
  if (tooWide) return QStringLiteral("a word of the question is wider than its plate and is cut off");
  return std::nullopt;
}

std::optional<QString> PlateFit::answerProblem(const QString& text) const {
  const int width = QtTextMeasure().widthTwips(text, answerFont_);
  if (width <= answerWidth_) return std::nullopt;
  return QStringLiteral("is %1 twips wide; its plate shows %2 and cuts off the rest").arg(width).arg(answerWidth_);
}

}  // namespace kvz::qst
