#pragma once

#include "platform/element.h"
#include "platform/qt/element_views.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text_wrap.h"

namespace kvz {

// Whether the game window shows all of a label's text, as its painter draws the label: one
// line within its width, or every wrapped line within its height and none wider than it.
inline bool showsWhole(const Element& label) {
  const Look& look = label.look();
  if (!look.wordWrap) return QtTextMeasure().widthTwips(oneLine(label.caption()), look.font) <= label.geometry().width;
  const QRect area = toPixels(label.geometry());
  const WrappedText wrapped(label.caption(), qtFont(look.font), look.align, area.width(), area.height());
  return wrapped.neededLines() <= wrapped.shownLines() && !wrapped.tooWide();
}

}  // namespace kvz
