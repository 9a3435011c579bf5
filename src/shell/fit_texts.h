#pragma once

#include "platform/form.h"
#include "platform/text_measure.h"

namespace kvz {

// The menu and the information screens were laid out for screen fonts a little narrower
// than the faces we draw with. So that no text loses its last letters or wraps into a line
// it has no room for, each text is fitted when its window loads:
// - a text that fits its element on one line is drawn as one line;
// - a text that does not, in an element one line high, or one only a little too wide for
//   its element (the difference between those fonts and ours), is widened to its drawn
//   width, keeping its left edge (or its centre, when centred), within the window;
// - any other text wraps in its element, as laid out.
void fitTexts(Form& form, const TextMeasure& measure);

}  // namespace kvz
