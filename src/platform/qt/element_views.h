#pragma once

#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/element.h"

namespace kvz {

// Pixels of a length in twips, rounded to the nearest pixel.
int twipsToPixels(int twips);
QRect toPixels(const Rect& twips);

// The whole-number factor a window draws its scene at; its element views read it at every
// sync and paint.
struct SceneScale {
  int factor = 1;
};

// Applies the state every element view shares: place, visibility and mouse pointer, all
// at the scale.
void applyCommonState(QWidget& widget, const Element& element, int scale);

// A picture, a text or a box, drawn by hand so that transparent texts show what lies below.
// Clicks reach the element as a window system sends them: Click on the release of the left
// button, then for a double click DblClick on the second press and no second Click.
class PaintedElementView final : public QWidget {
public:
  PaintedElementView(Element& element, const SceneScale& scale, QWidget* parent);
  void sync();
  const Element& element() const { return element_; }

protected:
  void paintEvent(QPaintEvent* event) override;
  // A tab stop clicks on Enter or Space, on the press: the release may belong to a key that
  // closed a box above this window.
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  // Each paints in the scene's pixels, the painter scaled to the screen's.
  void paintText(QPainter& painter, QRect area);
  void paintBox(QPainter& painter, QRect area);

  Element& element_;
  const SceneScale& scale_;
  QString pictureName_;
  int pixmapScale_ = 0;
  int pixmapDensity_ = 0;
  QSize pixmapSize_;
  QPixmap pixmap_;  // at the scale it is shown
  bool pressed_ = false;
  bool releaseEndsDoubleClick_ = false;
  QString spokenName_;  // as a screen reader last heard it
};

// The multi-line read-only text panel. A caption that grows at its end (text typed one
// character at a time) is appended, so the panel keeps showing its newest line.
class TextPanelView final : public QPlainTextEdit {
public:
  TextPanelView(Element& element, const SceneScale& scale, QWidget* parent);
  void sync();

private:
  Element& element_;
  const SceneScale& scale_;
  QString shown_;
};

// A push button with the element's caption and font.
class ButtonView final : public QPushButton {
public:
  ButtonView(Element& element, const SceneScale& scale, QWidget* parent);
  void sync();

private:
  Element& element_;
  const SceneScale& scale_;
};

// The place of a media player: black, empty until a video player puts its picture in it.
class MediaView final : public QWidget {
public:
  MediaView(Element& element, const SceneScale& scale, QWidget* parent);
  void sync();

private:
  Element& element_;
  const SceneScale& scale_;
};

}  // namespace kvz
