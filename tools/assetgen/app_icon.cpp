// The application icon: a gold question mark on the game's blue globe in a gold ring. It is
// kept as a list of filled shapes, so the same drawing becomes the PNG sizes (QPainter) and
// the scalable SVG (written here; Qt's SVG module would be a dependency for this file only).
#include "app_icon.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QSaveFile>
#include <cstdio>
#include <vector>

#include "assets/drawings/style.h"

namespace kvz::drawings {
namespace {

constexpr qreal kBox = 256.0;  // the drawing's own units; every size scales from these
constexpr int kPixelSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct Shape {
  QPainterPath path;
  QBrush fill;
  QPen outline = Qt::NoPen;
};

QPainterPath circle(QPointF c, qreal r) {
  QPainterPath path;
  path.addEllipse(c, r, r);
  return path;
}

QPainterPath questionMark(const QRectF& box) {
  QPainterPath glyph;
  glyph.addText(0, 0, sans(200), QStringLiteral("?"));
  const QRectF b = glyph.boundingRect();
  const qreal scale = box.height() / b.height();
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(scale, scale);
  t.translate(-b.center().x(), -b.center().y());
  return t.map(glyph);
}

QPainterPath sparkle(QPointF c, qreal radius) {
  const qreal waist = radius * 0.2;
  QPainterPath star;
  star.moveTo(c.x(), c.y() - radius);
  star.lineTo(c.x() + waist, c.y() - waist);
  star.lineTo(c.x() + radius, c.y());
  star.lineTo(c.x() + waist, c.y() + waist);
  star.lineTo(c.x(), c.y() + radius);
  star.lineTo(c.x() - waist, c.y() + waist);
  star.lineTo(c.x() - radius, c.y());
  star.lineTo(c.x() - waist, c.y() - waist);
  star.closeSubpath();
  return star;
}

std::vector<Shape> iconShapes() {
  const QPointF c(kBox / 2, kBox / 2);
  QRadialGradient globe(c - QPointF(34, 40), 150);
  globe.setColorAt(0.0, QColor(110, 150, 255));
  globe.setColorAt(0.45, QColor(30, 40, 150));
  globe.setColorAt(1.0, QColor(15, 5, 60));

  QPainterPath ring = circle(c, 124);
  ring.addPath(circle(c, 108));
  ring.setFillRule(Qt::OddEvenFill);

  QPen markOutline(QColor(40, 20, 0), 6.0);
  markOutline.setJoinStyle(Qt::RoundJoin);
  return {
      {circle(c, 116), globe},
      {ring, goldGradient(c.y() - 124, c.y() + 124)},
      {questionMark(QRectF(68, 50, 120, 156)), goldGradient(50, 206), markOutline},
      {sparkle(QPointF(186, 72), 26), QColor(255, 250, 225)},
  };
}

QImage renderPng(const std::vector<Shape>& shapes, int size) {
  QImage image = canvas(QSize(size, size), true);
  QPainter p(&image);
  prepare(p);
  p.scale(size / kBox, size / kBox);
  for (const Shape& s : shapes) {
    p.setPen(s.outline);
    p.setBrush(s.fill);
    p.drawPath(s.path);
  }
  return image;
}

QString num(qreal v) { return QString::number(v, 'g', 6); }

QString pathData(const QPainterPath& path) {
  QString d;
  QPointF start;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      d += QStringLiteral("M%1 %2").arg(num(e.x), num(e.y));
      start = e;
    } else if (e.isLineTo()) {
      d += QStringLiteral("L%1 %2").arg(num(e.x), num(e.y));
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
      d += QStringLiteral("C%1 %2 %3 %4 %5 %6").arg(num(e.x), num(e.y), num(c2.x), num(c2.y), num(end.x), num(end.y));
      i += 2;
    }
    const bool subpathEnds = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
    if (subpathEnds && QPointF(path.elementAt(i)) == start) d += QLatin1Char('Z');
  }
  return d;
}

QString svgColour(const QColor& c) { return c.name(QColor::HexRgb); }

// A gradient as an SVG definition named id, in the drawing's units.
QString svgGradient(const QGradient& g, const QString& id) {
  QString def;
  if (g.type() == QGradient::LinearGradient) {
    const auto& l = static_cast<const QLinearGradient&>(g);
    def = QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">")
              .arg(id, num(l.start().x()), num(l.start().y()), num(l.finalStop().x()), num(l.finalStop().y()));
  } else {
    const auto& r = static_cast<const QRadialGradient&>(g);
    def = QStringLiteral("<radialGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" cx=\"%2\" cy=\"%3\" r=\"%4\">")
              .arg(id, num(r.center().x()), num(r.center().y()), num(r.radius()));
  }
  for (const auto& [offset, colour] : g.stops())
    def += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>").arg(num(offset), svgColour(colour));
  def += g.type() == QGradient::LinearGradient ? QStringLiteral("</linearGradient>") : QStringLiteral("</radialGradient>");
  return def;
}

QString renderSvg(const std::vector<Shape>& shapes) {
  QString defs, body;
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const Shape& s = shapes[i];
    QString fill = svgColour(s.fill.color());
    if (const QGradient* g = s.fill.gradient()) {
      const QString id = QStringLiteral("g%1").arg(i);
      defs += svgGradient(*g, id);
      fill = QStringLiteral("url(#%1)").arg(id);
    }
    QString stroke;
    if (s.outline.style() != Qt::NoPen)
      stroke = QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\"")
                   .arg(svgColour(s.outline.color()), num(s.outline.widthF()));
    const QString rule = s.path.fillRule() == Qt::OddEvenFill ? QStringLiteral("evenodd") : QStringLiteral("nonzero");
    body += QStringLiteral("<path d=\"%1\" fill=\"%2\" fill-rule=\"%3\"%4/>\n").arg(pathData(s.path), fill, rule, stroke);
  }
  return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
                        "<defs>%2</defs>\n%3</svg>\n")
      .arg(num(kBox), defs, body);
}

bool writeFile(const QString& path, const QByteArray& data) {
  QSaveFile file(path);
  if (QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(data) == data.size() &&
      file.commit())
    return true;
  std::fprintf(stderr, "kvz_assetgen: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

bool writeAppIcons(const QString& dir) {
  const std::vector<Shape> shapes = iconShapes();
  const QDir root(dir);
  bool ok = true;
  for (int size : kPixelSizes) {
    const QString path = root.filePath(QStringLiteral("hicolor/%1x%1/apps/kvizarion.png").arg(size));
    QByteArray png;
    QBuffer buffer(&png);
    ok = buffer.open(QIODevice::WriteOnly) && renderPng(shapes, size).save(&buffer, "PNG") && writeFile(path, png) && ok;
  }
  return writeFile(root.filePath(QStringLiteral("hicolor/scalable/apps/kvizarion.svg")), renderSvg(shapes).toUtf8()) && ok;
}

}  // namespace kvz::drawings
