// The logo, the audience graph panel and the decorations of the menu screens.
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "assets/drawings/drawing.h"
#include "assets/drawings/style.h"
#include "lifelines/graph.h"
#include "platform/element.h"

namespace kvz::drawings {
namespace {

// The audience graph lines up with the bars laid over it: its baseline, its 100 % line and
// the bars' centres, in the panel's pixels.
constexpr qreal panelPixels(double twips) { return twips / kTwipsPerPixel; }
constexpr qreal kGraphBaseline = panelPixels(lifelines::kGraphBaseline - lifelines::kGraphTop);
constexpr qreal kGraphFullHeight = panelPixels(100 * lifelines::kTwipsPerPoint);
constexpr qreal barCentre(int bar) {
  return panelPixels(lifelines::kBarLefts[bar] + lifelines::kBarWidth / 2.0 - lifelines::kGraphLeft);
}

void paintRays(QPainter& p, QPointF c, qreal radius, int count) {
  p.save();
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const qreal a0 = 2.0 * std::numbers::pi * i / count;
    const qreal a1 = a0 + std::numbers::pi / count * 0.8;
    QPainterPath ray;
    ray.moveTo(c);
    ray.lineTo(c + QPointF(std::cos(a0), std::sin(a0)) * radius);
    ray.lineTo(c + QPointF(std::cos(a1), std::sin(a1)) * radius);
    ray.closeSubpath();
    QRadialGradient fade(c, radius);
    const QColor base = i % 2 == 0 ? QColor(120, 90, 255) : QColor(60, 140, 255);
    fade.setColorAt(0.0, QColor(base.red(), base.green(), base.blue(), 200));
    fade.setColorAt(1.0, QColor(base.red(), base.green(), base.blue(), 0));
    p.setBrush(fade);
    p.drawPath(ray);
  }
  p.restore();
}

void paintGlobe(QPainter& p, QPointF c, qreal r) {
  QRadialGradient halo(c, r * 1.35);
  halo.setColorAt(0.7, QColor(90, 120, 255, 150));
  halo.setColorAt(1.0, QColor(90, 120, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(c, r * 1.35, r * 1.35);

  QRadialGradient sphere(c - QPointF(r * 0.35, r * 0.4), r * 1.4);
  sphere.setColorAt(0.0, QColor(110, 150, 255));
  sphere.setColorAt(0.45, QColor(30, 40, 150));
  sphere.setColorAt(1.0, QColor(15, 5, 60));
  p.setBrush(sphere);
  p.drawEllipse(c, r, r);

  p.save();
  QPainterPath clip;
  clip.addEllipse(c, r, r);
  p.setClipPath(clip);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(150, 200, 255, 90), 1.2));
  for (qreal f : {0.3, 0.65, 1.0}) p.drawEllipse(c, r * f, r);
  for (qreal f : {-0.6, -0.3, 0.0, 0.3, 0.6}) {
    const qreal y = c.y() + f * r;
    const qreal half = std::sqrt(std::max(0.0, r * r - (y - c.y()) * (y - c.y())));
    p.drawLine(QPointF(c.x() - half, y), QPointF(c.x() + half, y));
  }
  p.restore();

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QBrush(goldGradient(c.y() - r, c.y() + r)), 4.0));
  p.drawEllipse(c, r, r);
}

}  // namespace

void logo(QPainter& p, QSize size) {
  p.scale(size.width() / 230.0, size.height() / 230.0);
  const QPointF centre(115, 98);
  paintRays(p, centre, 118, 20);
  paintGlobe(p, centre, 66);

  TextStyle mark;
  mark.font = sans(104);
  mark.fill = goldGradient(centre.y() - 40, centre.y() + 40);
  mark.outline = QColor(50, 20, 0, 230);
  mark.outlineWidth = 2.5;
  mark.glow = QColor(255, 210, 80, 170);
  mark.glowRadius = 9.0;
  paintText(p, QRectF(centre.x() - 60, centre.y() - 62, 120, 124), Qt::AlignCenter, QStringLiteral("?"), mark);

  const QRectF banner(6, 166, 218, 40);
  paintPlate(p, lozenge(banner, 16), {QColor(95, 55, 185), QColor(22, 8, 72), QColor(70, 32, 150)}, Rim::Gold, 2.5);
  TextStyle name;
  name.font = sans(31);
  name.fill = goldGradient(banner.top() + 8, banner.bottom() - 8);
  name.outline = QColor(40, 10, 0, 230);
  name.outlineWidth = 1.6;
  name.glow = QColor(255, 200, 60, 120);
  name.glowRadius = 4.0;
  paintText(p, banner, Qt::AlignCenter, QStringLiteral("Kvizarion"), name);

  paintSparkle(p, QPointF(36, 34), 9, colour::kGoldLight);
  paintSparkle(p, QPointF(198, 52), 7, colour::kGoldLight);
  paintSparkle(p, QPointF(188, 150), 5, Qt::white);
  paintSparkle(p, QPointF(28, 140), 6, Qt::white);
}

void audienceGraphPanel(QPainter& p, QSize size) {
  const QRectF panel(1.0, 1.0, size.width() - 2.0, size.height() - 2.0);
  QLinearGradient field(panel.topLeft(), panel.bottomLeft());
  field.setColorAt(0.0, QColor(18, 28, 100));
  field.setColorAt(1.0, QColor(6, 10, 52));
  p.setPen(QPen(QBrush(goldGradient(panel.top(), panel.bottom())), 1.5));
  p.setBrush(field);
  p.drawRoundedRect(panel, 6, 6);

  // The percentages are printed on black just above the 100 % line.
  const qreal fullLine = kGraphBaseline - kGraphFullHeight;
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRect(QRectF(8, 5, size.width() - 16, fullLine - 6));

  const qreal left = 12.0;
  const qreal right = size.width() - 12.0;
  for (int step = 1; step <= 10; ++step) {
    const qreal y = kGraphBaseline - kGraphFullHeight * step / 10.0;
    p.setPen(QPen(step % 5 == 0 ? QColor(120, 150, 255, 170) : QColor(90, 120, 230, 90), 1.0));
    p.drawLine(QPointF(left, y), QPointF(right, y));
  }
  for (int i = 0; i <= 4; ++i) {
    const qreal x = i == 0 ? left : i == 4 ? right : (barCentre(i - 1) + barCentre(i)) / 2.0;
    p.setPen(QPen(QColor(90, 120, 230, 90), 1.0));
    p.drawLine(QPointF(x, fullLine), QPointF(x, kGraphBaseline));
  }
  p.setPen(QPen(colour::kSilverLight, 2.0));
  p.drawLine(QPointF(left, kGraphBaseline + 1.0), QPointF(right, kGraphBaseline + 1.0));

  TextStyle letter;
  letter.font = sans(16);
  letter.fill = QBrush(colour::kAccentOrange);
  letter.outlineWidth = 1.0;
  const char* const letters[] = {"A", "B", "C", "D"};
  for (int i = 0; i < 4; ++i)
    paintText(p, QRectF(barCentre(i) - 12, kGraphBaseline + 3, 24, size.height() - kGraphBaseline - 5),
              Qt::AlignCenter, QString::fromLatin1(letters[i]), letter);
}

void verticalStrip(QPainter& p, QSize size) {
  const qreal cx = size.width() / 2.0;
  const QRectF band(cx - 5, 0, 10, size.height());
  QLinearGradient across(band.topLeft(), band.topRight());
  across.setColorAt(0.0, QColor(20, 20, 90));
  across.setColorAt(0.5, QColor(90, 80, 220));
  across.setColorAt(1.0, QColor(20, 20, 90));
  p.setPen(Qt::NoPen);
  p.setBrush(across);
  p.drawRect(band);
  p.setBrush(goldGradient(0, size.height()));
  p.drawRect(QRectF(band.left() - 2, 0, 1.5, size.height()));
  p.drawRect(QRectF(band.right() + 0.5, 0, 1.5, size.height()));
  for (qreal y = 14; y < size.height(); y += 27) {
    const qreal r = 5.5;
    p.setBrush(goldGradient(y - r, y + r));
    p.drawPolygon(QPolygonF({QPointF(cx, y - r * 1.6), QPointF(cx + r, y), QPointF(cx, y + r * 1.6), QPointF(cx - r, y)}));
  }
}

void decoration(QPainter& p, QSize size, QChar emblem) {
  const QPointF c(size.width() / 2.0, size.height() / 2.0);
  // A gold line fading towards both ends, the emblem in the middle, sparkles along the line.
  QLinearGradient line(QPointF(0, 0), QPointF(size.width(), 0));
  line.setColorAt(0.0, QColor(240, 190, 40, 0));
  line.setColorAt(0.35, colour::kGold);
  line.setColorAt(0.65, colour::kGold);
  line.setColorAt(1.0, QColor(240, 190, 40, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(line);
  p.drawRect(QRectF(4, c.y() - 1.0, size.width() - 8, 2.0));
  for (int i = 1; i <= 3; ++i) {
    const qreal dx = 30.0 + i * (size.width() / 2.0 - 40.0) / 3.5;
    const qreal r = 8.0 - i * 1.5;
    paintSparkle(p, QPointF(c.x() - dx, c.y()), r, colour::kGoldLight);
    paintSparkle(p, QPointF(c.x() + dx, c.y()), r, colour::kGoldLight);
  }
  paintGlobe(p, c, 17.0);
  TextStyle mark;
  mark.font = sans(emblem == QLatin1Char('i') ? 24 : 26);
  mark.fill = goldGradient(c.y() - 10, c.y() + 10);
  mark.outline = QColor(40, 10, 0, 230);
  mark.outlineWidth = 1.2;
  paintText(p, QRectF(c.x() - 17, c.y() - 17, 34, 34), Qt::AlignCenter, QString(emblem), mark);
}

}  // namespace kvz::drawings
