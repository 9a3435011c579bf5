#include "platform/qt/text_wrap.h"

#include <QPainter>

namespace kvz {
namespace {

// Line breaks in a caption as the text layout knows them; a CR LF pair is one break.
QString withLineSeparators(QString text) {
  text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
  text.replace(QLatin1Char('\r'), QChar::LineSeparator);
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  return text;
}

}  // namespace

qreal lineLeft(Align align, qreal boxWidth, qreal lineWidth) {
  if (lineWidth >= boxWidth) return 0;
  switch (align) {
    case Align::Center: return (boxWidth - lineWidth) / 2;
    case Align::Right: return boxWidth - lineWidth;
    case Align::Left: break;
  }
  return 0;
}

WrappedText::WrappedText(const QString& text, const QFont& font, Align align, qreal width, qreal height)
    : layout_(withLineSeparators(text), font) {
  // Lines are placed by hand (lineLeft), so the layout itself aligns nothing.
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(QTextOption::WordWrap);
  layout_.setTextOption(option);
  layout_.beginLayout();
  qreal y = 0;
  const QString& laidOut = layout_.text();
  for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
    line.setLineWidth(width);
    const QStringView words = QStringView(laidOut).mid(line.textStart(), line.textLength());
    if (needed_ == 0 || !words.trimmed().isEmpty()) needed_ = line.lineNumber() + 1;
    // The lines after the first that does not fit are counted, never shown.
    if (shown_ < line.lineNumber() || (line.lineNumber() > 0 && y + line.height() > height)) continue;
    line.setPosition(QPointF(lineLeft(align, width, line.naturalTextWidth()), y));
    y += line.height();
    tooWide_ = tooWide_ || line.naturalTextWidth() > width;
    ++shown_;
  }
  layout_.endLayout();
}

void WrappedText::draw(QPainter& painter) const {
  for (int i = 0; i < shown_; ++i) layout_.lineAt(i).draw(&painter, QPointF(0, 0));
}

QString oneLine(QString text) {
  return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

}  // namespace kvz
