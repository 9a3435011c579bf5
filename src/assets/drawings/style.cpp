#include "assets/drawings/style.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace kvz::drawings {

QImage canvas(QSize size, bool alpha) {
  QImage image(size, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  image.fill(alpha ? Qt::transparent : Qt::black);
  return image;
}

void prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont sans(qreal pixelSize, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(qRound(pixelSize));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QPainterPath lozenge(const QRectF& r, qreal tip) {
  const qreal mid = r.center().y();
  QPainterPath path;
  path.moveTo(r.left(), mid);
  path.lineTo(r.left() + tip, r.top());
  path.lineTo(r.right() - tip, r.top());
  path.lineTo(r.right(), mid);
  path.lineTo(r.right() - tip, r.bottom());
  path.lineTo(r.left() + tip, r.bottom());
  path.closeSubpath();
  return path;
}

namespace {

QLinearGradient rimGradient(const QRectF& bounds, Rim rim) {
  QLinearGradient g(bounds.topLeft(), bounds.bottomLeft());
  if (rim == Rim::Gold) {
    g.setColorAt(0.0, colour::kGoldLight);
    g.setColorAt(0.45, colour::kGold);
    g.setColorAt(0.55, colour::kGoldDark);
    g.setColorAt(1.0, colour::kGold);
  } else {
    g.setColorAt(0.0, colour::kSilverLight);
    g.setColorAt(0.45, colour::kSilver);
    g.setColorAt(0.55, colour::kSilverDark);
    g.setColorAt(1.0, colour::kSilver);
  }
  return g;
}

}  // namespace

void paintConnector(QPainter& p, qreal y, qreal x0, qreal x1, Rim rim) {
  const QRectF band(x0, y - 1.5, x1 - x0, 3.0);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(rimGradient(band, rim));
  p.drawRect(band);
  p.restore();
}

void paintPlate(QPainter& p, const QPainterPath& shape, const Fill& fill, Rim rim, qreal rimWidth) {
  const QRectF b = shape.boundingRect();
  p.save();
  // Outer glow: the rim colour fading outwards.
  const QColor glow = rim == Rim::Gold ? colour::kGold : QColor(120, 150, 255);
  for (int i = 4; i >= 1; --i) {
    QColor c = glow;
    c.setAlpha(18);
    p.setPen(QPen(c, rimWidth + 2.0 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  }
  QLinearGradient body(b.topLeft(), b.bottomLeft());
  body.setColorAt(0.0, fill.top);
  body.setColorAt(0.5, fill.middle);
  body.setColorAt(1.0, fill.bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawPath(shape);
  // Gloss: a light band along the top edge only, so that text on the plate stays readable.
  p.setClipPath(shape);
  const qreal glossHeight = b.height() * 0.2;
  QLinearGradient gloss(b.topLeft(), QPointF(b.left(), b.top() + glossHeight));
  gloss.setColorAt(0.0, QColor(255, 255, 255, 90));
  gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setBrush(gloss);
  p.drawRect(QRectF(b.left(), b.top(), b.width(), glossHeight));
  p.setClipping(false);
  // Bevelled rim: a graded outer line and a thin dark inner line.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QBrush(rimGradient(b, rim)), rimWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(shape);
  p.restore();
}

void paintText(QPainter& p, const QRectF& box, int align, const QString& text, const TextStyle& style) {
  const QFontMetricsF metrics(style.font);
  const QRectF bounds = metrics.boundingRect(box, align, text);
  // Place the glyph outline on the baseline of the aligned text.
  const QPointF origin(bounds.left(), bounds.top() + metrics.ascent());
  QPainterPath path;
  path.addText(origin, style.font, text);
  p.save();
  if (style.glowRadius > 0 && style.glow.alpha() > 0) {
    const int steps = 6;
    for (int i = steps; i >= 1; --i) {
      QColor c = style.glow;
      c.setAlpha(style.glow.alpha() / steps);
      p.setPen(QPen(c, style.glowRadius * 2.0 * i / steps, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPath(path);
    }
  }
  if (style.outlineWidth > 0) {
    p.setPen(QPen(style.outline, style.outlineWidth * 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(style.fill);
  p.drawPath(path);
  p.restore();
}

QLinearGradient goldGradient(qreal top, qreal bottom) {
  QLinearGradient g(QPointF(0, top), QPointF(0, bottom));
  g.setColorAt(0.0, colour::kGoldLight);
  g.setColorAt(0.45, QColor(255, 215, 70));
  g.setColorAt(0.55, QColor(220, 150, 20));
  g.setColorAt(1.0, QColor(255, 220, 110));
  return g;
}

void paintSparkle(QPainter& p, QPointF c, qreal radius, const QColor& colour) {
  QPainterPath star;
  const qreal waist = radius * 0.18;
  star.moveTo(c.x(), c.y() - radius);
  star.quadTo(c.x() + waist, c.y() - waist, c.x() + radius, c.y());
  star.quadTo(c.x() + waist, c.y() + waist, c.x(), c.y() + radius);
  star.quadTo(c.x() - waist, c.y() + waist, c.x() - radius, c.y());
  star.quadTo(c.x() - waist, c.y() - waist, c.x(), c.y() - radius);
  QRadialGradient halo(c, radius * 0.9);
  QColor inner = colour;
  inner.setAlpha(110);
  halo.setColorAt(0.0, inner);
  halo.setColorAt(1.0, QColor(0, 0, 0, 0));
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(c, radius * 0.9, radius * 0.9);
  p.setBrush(colour);
  p.drawPath(star);
  p.restore();
}

}  // namespace kvz::drawings
