#pragma once

#include <QFont>

#include "platform/element.h"
#include "platform/text_measure.h"

namespace kvz {

// The face that shows a font named by a layout. Sizes are points at 96 dots per inch turned
// into pixel sizes, so that texts keep their size against layouts given in twips on any
// screen; times the scale a window draws its scene at (in its logical pixels).
QFont qtFont(const FontSpec& wanted, double scale = 1);

// Pixel size of a point size at 96 dots per inch (13.5 pt -> 18 px).
int pixelSizeOf(double points);

// Width of a text on one line, in twips, as the windows draw it: the game lays out the
// question with it and the authors' tool checks answers with it.
class QtTextMeasure final : public TextMeasure {
public:
  int widthTwips(const QString& text, const FontSpec& font) const override;
};

}  // namespace kvz
