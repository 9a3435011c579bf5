// The winnings ladder: fifteen rows, row 1 at the bottom, the current row on a red bar.
#include <algorithm>

#include "assets/drawings/drawing.h"
#include "assets/drawings/style.h"
#include "assets/picture_texts.h"

namespace kvz::drawings {
namespace {

constexpr int kRows = picture_texts::kLadderRows;
constexpr qreal kTopMargin = 4.0;
constexpr qreal kSideMargin = 4.0;
// The question plate is laid over the ladder's foot: everything the player must see stays
// in the top 296 px of the picture.
constexpr qreal kVisibleHeight = 296.0;

bool isMilestone(int row) { return row % 5 == 0; }

QRectF rowBox(QSize size, int row) {
  const qreal pitch = (std::min<qreal>(size.height(), kVisibleHeight) - 2.0 * kTopMargin) / kRows;
  return QRectF(kSideMargin, kTopMargin + (kRows - row) * pitch, size.width() - 2.0 * kSideMargin, pitch);
}

void paintPanel(QPainter& p, QSize size) {
  const QRectF panel(1.0, 1.0, size.width() - 2.0, std::min<qreal>(size.height(), kVisibleHeight) - 2.0);
  QLinearGradient field(panel.topLeft(), panel.bottomLeft());
  field.setColorAt(0.0, QColor(40, 18, 95));
  field.setColorAt(0.5, QColor(12, 14, 60));
  field.setColorAt(1.0, QColor(8, 30, 95));
  p.setPen(QPen(QBrush(goldGradient(panel.top(), panel.bottom())), 2.0));
  p.setBrush(field);
  p.drawRoundedRect(panel, 8, 8);
}

void paintCurrentBar(QPainter& p, const QRectF& box) {
  const QRectF bar = box.adjusted(0, 1, 0, -1);
  QLinearGradient red(bar.topLeft(), bar.bottomLeft());
  red.setColorAt(0.0, QColor(255, 90, 70));
  red.setColorAt(0.45, QColor(215, 20, 20));
  red.setColorAt(1.0, QColor(140, 0, 0));
  p.setPen(QPen(QColor(255, 170, 150), 1.0));
  p.setBrush(red);
  p.drawRoundedRect(bar, 5, 5);
}

void paintRow(QPainter& p, const QRectF& box, int row, bool passed) {
  TextStyle text;
  text.font = sans(14);
  text.fill = isMilestone(row) ? QBrush(Qt::white) : QBrush(colour::kLadderYellow);
  text.outlineWidth = 1.0;
  text.outline = QColor(0, 0, 0, 170);
  paintText(p, QRectF(box.left(), box.top(), 24.0, box.height()), Qt::AlignRight | Qt::AlignVCenter,
            QString::number(row), text);
  if (passed) {  // a small diamond beside every level already won
    const QPointF c(box.left() + 38.0, box.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(goldGradient(c.y() - 3.5, c.y() + 3.5));
    p.drawPolygon(QPolygonF({c + QPointF(0, -3.5), c + QPointF(3.5, 0), c + QPointF(0, 3.5), c + QPointF(-3.5, 0)}));
  }
  paintText(p, box.adjusted(0, 0, -4.0, 0), Qt::AlignRight | Qt::AlignVCenter,
            QString::fromLatin1(picture_texts::kLadder[row - 1]) + QLatin1Char(' ') +
                QString::fromUtf8(picture_texts::kCurrency), text);
}

}  // namespace

void ladder(QPainter& p, QSize size, int currentRow) {
  paintPanel(p, size);
  // A faint rule above each safe haven separates the stages of the ladder.
  for (int row = 5; row < kRows; row += 5) {
    const QRectF box = rowBox(size, row);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    p.drawLine(QPointF(box.left() + 6, box.top()), QPointF(box.right() - 6, box.top()));
  }
  paintCurrentBar(p, rowBox(size, currentRow));
  for (int row = 1; row <= kRows; ++row) paintRow(p, rowBox(size, row), row, row < currentRow);
}

}  // namespace kvz::drawings
