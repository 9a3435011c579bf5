// Small pictures: lifeline badges, key caps and the hand pointer.
#include <QRadialGradient>

#include "assets/drawings/drawing.h"
#include "assets/drawings/style.h"

namespace kvz::drawings {
namespace {

void paintBadge(QPainter& p, const QRectF& oval) {
  for (int i = 3; i >= 1; --i) {
    p.setPen(QPen(QColor(110, 150, 255, 22), 2.0 + 2.0 * i));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(oval);
  }
  QRadialGradient field(oval.center() - QPointF(0, oval.height() * 0.3), oval.width() * 0.65);
  field.setColorAt(0.0, QColor(70, 105, 215));
  field.setColorAt(0.6, QColor(18, 30, 110));
  field.setColorAt(1.0, QColor(8, 10, 55));
  QLinearGradient rim(oval.topLeft(), oval.bottomLeft());
  rim.setColorAt(0.0, colour::kSilverLight);
  rim.setColorAt(0.5, colour::kSilverDark);
  rim.setColorAt(1.0, colour::kSilver);
  p.setPen(QPen(QBrush(rim), 2.0));
  p.setBrush(field);
  p.drawEllipse(oval);
}

void paintFiftyFifty(QPainter& p, const QRectF& oval) {
  TextStyle text;
  text.font = sans(17);
  text.fill = goldGradient(oval.center().y() - 7, oval.center().y() + 7);
  text.outlineWidth = 1.2;
  paintText(p, oval, Qt::AlignCenter, QStringLiteral("50:50"), text);
}

void paintAudience(QPainter& p, const QRectF& oval) {
  // A bar chart of four answers standing on a base line.
  const qreal base = oval.center().y() + 11.0;
  const qreal heights[] = {9.0, 21.0, 14.0, 6.0};
  const qreal barWidth = 7.0;
  const qreal left = oval.center().x() - 2.0 * barWidth - 4.5;
  p.setPen(QPen(QColor(0, 0, 0, 170), 1.0));
  for (int i = 0; i < 4; ++i) {
    const QRectF bar(left + i * (barWidth + 3.0), base - heights[i], barWidth, heights[i]);
    p.setBrush(goldGradient(bar.top(), bar.bottom()));
    p.drawRect(bar);
  }
  p.setPen(QPen(colour::kSilverLight, 1.5));
  p.drawLine(QPointF(left - 4.0, base + 1.0), QPointF(left + 4 * (barWidth + 3.0) + 1.0, base + 1.0));
}

void paintTelephone(QPainter& p, const QRectF& oval) {
  // A desk telephone: the receiver (two cups joined by a grip) resting on a body with a dial.
  const QPointF c = oval.center();
  QPainterPath receiver;
  receiver.moveTo(c + QPointF(-17, -3));
  receiver.cubicTo(c + QPointF(-15, -14), c + QPointF(15, -14), c + QPointF(17, -3));
  receiver.lineTo(c + QPointF(10, -3));
  receiver.cubicTo(c + QPointF(9, -8), c + QPointF(-9, -8), c + QPointF(-10, -3));
  receiver.closeSubpath();
  QPainterPath body;
  body.moveTo(c + QPointF(-8, -4));
  body.lineTo(c + QPointF(8, -4));
  body.lineTo(c + QPointF(15, 12));
  body.quadTo(c + QPointF(15, 14), c + QPointF(12, 14));
  body.lineTo(c + QPointF(-12, 14));
  body.quadTo(c + QPointF(-15, 14), c + QPointF(-15, 12));
  body.closeSubpath();
  const QLinearGradient gold = goldGradient(c.y() - 12, c.y() + 14);
  p.save();
  p.setPen(QPen(QColor(40, 15, 0, 220), 1.2));
  p.setBrush(gold);
  p.drawPath(body);
  p.drawPath(receiver);
  // The dial: a dark ring with a light centre.
  p.setBrush(QColor(30, 30, 70));
  p.drawEllipse(c + QPointF(0, 5.5), 5.5, 5.5);
  p.setBrush(colour::kGoldLight);
  p.drawEllipse(c + QPointF(0, 5.5), 2.0, 2.0);
  p.restore();
}

void paintCross(QPainter& p, const QRectF& oval) {
  const QRectF r = oval.adjusted(9, 3, -9, -3);
  for (const auto& [width, colour] : {std::pair{8.5, QColor(60, 0, 0)}, std::pair{5.5, QColor(235, 20, 20)}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
  }
}

// A rounded layer of a key: a vertical gradient inside a thin line.
void paintKeyLayer(QPainter& p, const QRectF& r, qreal radius, const Fill& fill, const QColor& line) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0.0, fill.top);
  g.setColorAt(1.0, fill.bottom);
  p.setPen(QPen(line, 1.0));
  p.setBrush(g);
  p.drawRoundedRect(r, radius, radius);
}

}  // namespace

void lifelineIcon(QPainter& p, QSize size, Lifeline kind, bool used) {
  const QRectF oval(4.0, 3.5, size.width() - 8.0, size.height() - 7.0);
  paintBadge(p, oval);
  switch (kind) {
    case Lifeline::FiftyFifty: paintFiftyFifty(p, oval); break;
    case Lifeline::Audience: paintAudience(p, oval); break;
    case Lifeline::Phone: paintTelephone(p, oval); break;
  }
  if (used) {
    // A spent lifeline looks dimmed under its cross.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 100));
    p.drawEllipse(oval);
    paintCross(p, oval);
  }
}

void keyCap(QPainter& p, QSize size, const QString& label) {
  const QRectF outer(1.0, 1.0, size.width() - 2.0, size.height() - 2.0);
  paintKeyLayer(p, outer, 5, {QColor(150, 155, 170), {}, QColor(70, 72, 85)}, QColor(20, 20, 30));
  const QRectF top = outer.adjusted(3.5, 2.0, -3.5, -6.0);
  paintKeyLayer(p, top, 4, {QColor(252, 252, 255), {}, QColor(205, 208, 220)}, QColor(120, 124, 140));
  TextStyle text;
  text.font = sans(label.size() > 2 ? 11 : label.size() > 1 ? 12.5 : 15);
  text.fill = QColor(25, 30, 60);
  text.outlineWidth = 0.0;
  paintText(p, top, Qt::AlignCenter, label, text);
}

void handPointer(QPainter& p, QSize size) {
  // A gloved hand with the index finger up; its tip (11, 1) is the pointer's hot spot.
  QPainterPath hand;
  hand.addRoundedRect(QRectF(8.5, 1.8, 5.0, 16.2), 2.5, 2.5);          // index finger
  hand.addRoundedRect(QRectF(13.0, 11.0, 4.8, 9.0), 2.4, 2.4);         // middle finger, folded
  hand.addRoundedRect(QRectF(17.3, 12.0, 4.6, 8.0), 2.3, 2.3);         // ring finger, folded
  hand.addRoundedRect(QRectF(21.4, 13.5, 4.4, 7.0), 2.2, 2.2);         // little finger, folded
  hand.addRoundedRect(QRectF(8.5, 15.0, 17.3, 13.5), 4.5, 4.5);        // palm
  QPainterPath thumb;
  thumb.moveTo(9.5, 24.5);
  thumb.lineTo(4.0, 17.5);
  thumb.quadTo(2.0, 14.5, 4.8, 14.0);
  thumb.quadTo(6.5, 13.8, 9.5, 17.0);
  hand.addPath(thumb);
  hand = hand.simplified();
  p.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QLinearGradient glove(QPointF(0, 0), QPointF(size.width(), size.height()));
  glove.setColorAt(0.0, Qt::white);
  glove.setColorAt(1.0, QColor(205, 210, 225));
  p.setBrush(glove);
  p.drawPath(hand);
  // Knuckle lines between the folded fingers.
  p.setPen(QPen(QColor(90, 95, 110), 0.9));
  for (qreal x : {13.2, 17.4, 21.5}) p.drawLine(QPointF(x, 15.5), QPointF(x, 18.0));
}

}  // namespace kvz::drawings
