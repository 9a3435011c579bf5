// The lozenge plates: answers, question, winnings and the menu buttons.
#include "assets/drawings/drawing.h"
#include "assets/drawings/style.h"
#include "assets/picture_texts.h"

namespace kvz::drawings {
namespace {

// The answer text is laid over the plate from x = 80 px; the letter sits left of it.
constexpr qreal kAnswerTextLeft = 80.0;
constexpr qreal kAnswerTip = 14.0;
constexpr qreal kQuestionTip = 30.0;

// The wide plate of the question and winnings: a pointed band across the window. Its top
// 8 px stay black: the backdrop shown behind the winnings starts 8 px below the question
// plate, and no glow may peek out above it.
constexpr qreal kWidePlateTop = 14.0;
QPainterPath widePlate(QSize size) {
  return lozenge(QRectF(8.0, kWidePlateTop, size.width() - 16.0, size.height() - kWidePlateTop - 9.0), kQuestionTip);
}

QString amountText(int level) {
  QString amount = QString::fromLatin1(picture_texts::kWinnings[level]);
  amount.replace(QLatin1Char(' '), QChar(0x00A0));  // never split the thousands
  return amount + QChar(0x00A0) + QString::fromUtf8(picture_texts::kCurrency);
}

}  // namespace

Fill answerFill(PlateState state) {
  switch (state) {
    case PlateState::Chosen: return {QColor(225, 118, 18), QColor(160, 60, 0), QColor(205, 96, 8)};
    case PlateState::Right: return {QColor(48, 158, 52), QColor(10, 96, 20), QColor(32, 140, 38)};
    case PlateState::Normal: break;
  }
  return {QColor(45, 75, 175), QColor(6, 14, 62), QColor(22, 45, 130)};
}

void answerPlate(QPainter& p, QSize size, QChar letter, PlateState state) {
  const qreal mid = size.height() / 2.0;
  paintConnector(p, mid, 0, size.width(), Rim::Silver);
  const QRectF body(4.0, 2.0, size.width() - 8.0, size.height() - 4.0);
  paintPlate(p, lozenge(body, kAnswerTip), answerFill(state), Rim::Silver);

  TextStyle letterStyle;
  letterStyle.font = sans(19);
  letterStyle.fill = state == PlateState::Normal ? QBrush(colour::kAccentOrange) : QBrush(Qt::white);
  letterStyle.outlineWidth = 1.2;
  letterStyle.glow = state == PlateState::Normal ? QColor(255, 140, 0, 120) : QColor(0, 0, 0, 0);
  letterStyle.glowRadius = 3.0;
  const QRectF letterBox(body.left() + kAnswerTip + 10.0, 0, kAnswerTextLeft - body.left() - kAnswerTip - 10.0, size.height());
  paintText(p, letterBox, Qt::AlignLeft | Qt::AlignVCenter, QString(letter) + QLatin1Char(':'), letterStyle);
}

void questionPlate(QPainter& p, QSize size) {
  const QPainterPath shape = widePlate(size);
  paintConnector(p, shape.boundingRect().center().y(), 0, size.width(), Rim::Silver);
  paintPlate(p, shape, {QColor(50, 60, 165), QColor(8, 10, 58), QColor(38, 30, 125)}, Rim::Silver, 2.5);
}

void winningsPlate(QPainter& p, QSize size, int level) {
  const QPainterPath shape = widePlate(size);
  const QRectF b = shape.boundingRect();
  paintConnector(p, b.center().y(), 0, size.width(), Rim::Gold);
  paintPlate(p, shape, {QColor(95, 55, 185), QColor(22, 8, 72), QColor(70, 32, 150)}, Rim::Gold, 3.0);

  if (level > 0) {
    // The higher the win, the more sparkles around the amount.
    p.setClipPath(shape);
    const qreal cy = b.center().y();
    for (int i = 0; i < level + 1; ++i) {
      const qreal dx = 150.0 + i * 34.0;
      const qreal dy = (i % 2 == 0 ? -11.0 : 12.0);
      const qreal r = 9.0 - (i % 3) * 2.0;
      paintSparkle(p, QPointF(b.center().x() - dx, cy + dy), r, colour::kGoldLight);
      paintSparkle(p, QPointF(b.center().x() + dx, cy - dy), r, colour::kGoldLight);
    }
    p.setClipping(false);
  }

  TextStyle amount;
  amount.font = sans(46);
  amount.fill = goldGradient(b.center().y() - 20, b.center().y() + 18);
  amount.outline = QColor(60, 25, 0, 230);
  amount.outlineWidth = 2.0;
  amount.glow = QColor(255, 200, 60, 160);
  amount.glowRadius = 7.0;
  paintText(p, b.adjusted(0, 1, 0, 0), Qt::AlignCenter, amountText(level), amount);
}

void menuButton(QPainter& p, QSize size, const QString& words) {
  const QRectF body(2.0, 2.0, size.width() - 4.0, size.height() - 4.0);
  paintPlate(p, lozenge(body, 13.0), answerFill(PlateState::Normal), Rim::Silver);
  TextStyle text;
  text.font = sans(19);
  text.fill = goldGradient(body.center().y() - 8, body.center().y() + 8);
  text.outlineWidth = 1.2;
  text.glow = QColor(255, 170, 40, 110);
  text.glowRadius = 3.0;
  paintText(p, body, Qt::AlignCenter, words, text);
}

}  // namespace kvz::drawings
