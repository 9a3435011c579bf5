#pragma once

#include <QFont>
#include <QString>
#include <QTextLayout>

#include "platform/element.h"

class QPainter;

namespace kvz {

// A text as a word-wrapping label draws it: broken at word boundaries within the width and at
// the text's own line breaks; only the lines that fit whole in the height are shown (the
// first always, cut if the label is lower than a line). The authors' tool measures questions
// with it, so what it passes is what the game shows.
class WrappedText {
public:
  WrappedText(const QString& text, const QFont& font, Align align, qreal width, qreal height);
  // The lines up to the last one with something to see (a line break at the end adds none).
  int neededLines() const { return needed_; }
  int shownLines() const { return shown_; }
  // A shown line is wider than the width: a word longer than a line runs over the edge.
  bool tooWide() const { return tooWide_; }
  void draw(QPainter& painter) const;

private:
  QTextLayout layout_;
  int shown_ = 0;
  int needed_ = 0;
  bool tooWide_ = false;
};

// Left edge of a line of the given width in a box of the given width. A line too wide for
// its box starts at the left edge, so the start of the text stays readable.
qreal lineLeft(Align align, qreal boxWidth, qreal lineWidth);

// A text on a label of one line, as drawn: its line breaks become blanks.
QString oneLine(QString text);

}  // namespace kvz
