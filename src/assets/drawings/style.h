#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace kvz::drawings {

// The colour family shared by every picture: deep blue and purple fields, gold and silver
// rims, warm text.
namespace colour {
inline const QColor kGoldLight{255, 244, 190};
inline const QColor kGold{240, 190, 40};
inline const QColor kGoldDark{150, 100, 10};
inline const QColor kSilverLight{245, 248, 255};
inline const QColor kSilver{170, 180, 200};
inline const QColor kSilverDark{70, 78, 100};
inline const QColor kLadderYellow{255, 208, 30};
inline const QColor kAccentOrange{255, 160, 30};
}  // namespace colour

// Three stops of a vertical fill, top to bottom, with the bright band just above the middle.
struct Fill {
  QColor top;
  QColor middle;
  QColor bottom;
};

enum class Rim { Silver, Gold };

// A black canvas of the given size; with alpha it starts fully transparent instead.
QImage canvas(QSize size, bool alpha = false);
// A painter with antialiasing for shapes and text.
void prepare(QPainter& p);

// Liberation Sans at a pixel size, so Czech letters render the same on every machine.
QFont sans(qreal pixelSize, bool bold = true);

// The stretched hexagon of the quiz plates: flat top and bottom, pointed ends `tip` deep.
QPainterPath lozenge(const QRectF& r, qreal tip);

// The thin line that runs through the plates from edge to edge, behind them.
void paintConnector(QPainter& p, qreal y, qreal x0, qreal x1, Rim rim);

// A plate: soft outer glow, vertical gradient, a gloss on the upper half and a bevelled rim.
void paintPlate(QPainter& p, const QPainterPath& shape, const Fill& fill, Rim rim, qreal rimWidth = 2.0);

// Text with a dark outline and an optional soft glow, filled with any brush.
struct TextStyle {
  QFont font;
  QBrush fill;
  QColor outline{0, 0, 0, 200};
  qreal outlineWidth = 2.0;
  QColor glow{0, 0, 0, 0};
  qreal glowRadius = 0.0;
};
void paintText(QPainter& p, const QRectF& box, int align, const QString& text, const TextStyle& style);

// A golden vertical gradient across [top, bottom], as used by the amounts and the logo.
QLinearGradient goldGradient(qreal top, qreal bottom);

// A four-pointed sparkle centred at c.
void paintSparkle(QPainter& p, QPointF c, qreal radius, const QColor& colour);

}  // namespace kvz::drawings
