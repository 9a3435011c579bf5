#pragma once

#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/element.h"
#include "platform/scene_scale.h"

namespace kvz {

// Pixels of a length in twips, rounded to the nearest pixel.
int twipsToPixels(int twips);
QRect toPixels(const Rect& twips);

// Applies the state every element view shares: place, visibility and mouse pointer, all
// at the scene's fit, which the views read at every sync and paint. The place is the whole
// logical pixels that cover the element.
void applyCommonState(QWidget& widget, const Element& element, const SceneFit& fit);

// A picture, a text or a box, drawn by hand so that transparent texts show what lies below.
// Clicks reach the element as a window system sends them: Click on the release of the left
// button, then for a double click DblClick on the second press and no second Click.
class PaintedElementView final : public QWidget {
public:
  PaintedElementView(Element& element, const SceneFit& fit, QWidget* parent);
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
  // Where the element's exact place starts inside this widget, in logical pixels.
  QPointF exactOffset() const;

  Element& element_;
  const SceneFit& fit_;
  QString pictureName_;
  SceneFit pixmapFit_;
  QSize pixmapStretch_;  // the scene size the picture is stretched to; empty when it is not
  QPixmap pixmap_;  // at the device pixels it is shown at
  bool pressed_ = false;
  bool releaseEndsDoubleClick_ = false;
  QString spokenName_;  // as a screen reader last heard it
};

// The multi-line read-only text panel. A caption that grows at its end (text typed one
// character at a time) is appended, so the panel keeps showing its newest line.
class TextPanelView final : public QPlainTextEdit {
public:
  TextPanelView(Element& element, const SceneFit& fit, QWidget* parent);
  void sync();

private:
  Element& element_;
  const SceneFit& fit_;
  QString shown_;
};

// A push button with the element's caption and font.
class ButtonView final : public QPushButton {
public:
  ButtonView(Element& element, const SceneFit& fit, QWidget* parent);
  void sync();

private:
  Element& element_;
  const SceneFit& fit_;
};

// The place of a media player: black, empty until a video player puts its picture in it.
class MediaView final : public QWidget {
public:
  MediaView(Element& element, const SceneFit& fit, QWidget* parent);
  void sync();

private:
  Element& element_;
  const SceneFit& fit_;
};

}  // namespace kvz
