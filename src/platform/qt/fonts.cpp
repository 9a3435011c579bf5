#include "platform/qt/fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace kvz {
namespace {

// Liberation Sans has the advance widths of Arial, so texts laid out for Arial fit as
// designed. "MS Sans Serif" (a bitmap face of about the same widths as Arial at the sizes
// used here) gets the same face: a plain sans serif with every Czech letter, one face for
// all texts, so measuring and drawing agree. DejaVu Sans stands in if Liberation is missing.
QStringList familiesFor(const QString& layoutFamily) {
  static const QHash<QString, QStringList> map{
      {QStringLiteral("arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
      {QStringLiteral("ms sans serif"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
  };
  return map.value(layoutFamily.trimmed().toLower(),
                   {layoutFamily, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

}  // namespace

int pixelSizeOf(double points) {
  constexpr double kDotsPerInch = 96.0;
  constexpr double kPointsPerInch = 72.0;
  return std::max(1, static_cast<int>(std::lround(points * kDotsPerInch / kPointsPerInch)));
}

QFont qtFont(const FontSpec& wanted, double scale) {
  QFont font;
  font.setFamilies(familiesFor(wanted.family));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSizeOf(wanted.points) * scale))));
  font.setBold(wanted.bold);
  font.setUnderline(wanted.underline);
  // Unhinted outlines give the same advances on every screen and platform plugin, so a
  // width measured headless is the width drawn on the game window.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// A text measured to fit an element must show whole in it: the width counts the ink of a
// last letter that reaches past its advance ("a" does by a pixel), in whole pixels.
int QtTextMeasure::widthTwips(const QString& text, const FontSpec& font) const {
  if (text.isEmpty()) return 0;
  const QFontMetricsF metrics(qtFont(font));
  const qreal pixels = std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right());
  return static_cast<int>(std::ceil(pixels - 1e-6)) * kTwipsPerPixel;
}

}  // namespace kvz
