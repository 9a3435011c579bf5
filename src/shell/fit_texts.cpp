#include "shell/fit_texts.h"

#include <algorithm>

namespace kvz {
namespace {

// Room for rounding between measured and drawn widths: two pixels.
constexpr int kMarginTwips = 2 * kTwipsPerPixel;
// A line of text is about 1.15 times the font's size; a point is 20 twips.
constexpr double kLineFactor = 1.15;
constexpr int kTwipsPerPoint = 20;
// How much wider than its element a text of several lines may be and still be taken as
// meant for one line: 10 %.
constexpr int kSlackPercent = 110;

int linesThatFit(const Element& e) {
  const double lineTwips = e.look().font.points * kTwipsPerPoint * kLineFactor;
  return lineTwips > 0 ? static_cast<int>(e.geometry().height / lineTwips) : 1;
}

}  // namespace

void fitTexts(Form& form, const TextMeasure& measure) {
  for (const auto& element : form.elements()) {
    Element& e = *element;
    if (e.kind() != ElementKind::Text || e.caption().isEmpty()) continue;
    const int needed = measure.widthTwips(e.caption(), e.look().font) + kMarginTwips;
    Rect r = e.geometry();
    if (needed > r.width) {
      const bool meantForOneLine =
          linesThatFit(e) < 2 || (needed * 100 <= r.width * kSlackPercent && needed <= form.widthTwips());
      if (!meantForOneLine) continue;
      const int width = std::min(needed, form.widthTwips());
      const int wanted = e.look().align == Align::Center ? r.left + r.width / 2 - width / 2 : r.left;
      r.left = std::clamp(wanted, 0, form.widthTwips() - width);
      r.width = width;
      e.setGeometry(r);
    }
    Look look = e.look();
    look.wordWrap = false;
    e.setLook(look);
  }
}

}  // namespace kvz
