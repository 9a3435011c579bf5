#pragma once

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kvz::testing {

// Sends a mouse event to whatever child lies at pos of the window, as a real click would.
inline void sendMouse(QWidget& window, QEvent::Type type, QPoint pos) {
  QWidget* target = window.childAt(pos);
  if (!target) target = &window;
  const QPoint local = target->mapFrom(&window, pos);
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(local), QPointF(window.mapToGlobal(pos)), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

inline void clickAt(QWidget& window, QPoint pos) {
  sendMouse(window, QEvent::MouseButtonPress, pos);
  sendMouse(window, QEvent::MouseButtonRelease, pos);
}

// The events a window system sends for a double click: press, release, double-click press, release.
inline void doubleClickAt(QWidget& window, QPoint pos) {
  clickAt(window, pos);
  sendMouse(window, QEvent::MouseButtonDblClick, pos);
  sendMouse(window, QEvent::MouseButtonRelease, pos);
}

inline void sendKey(QWidget& target, QEvent::Type type, int key, Qt::KeyboardModifiers mods = {},
                    bool autoRepeat = false) {
  QKeyEvent event(type, key, mods, QString(), autoRepeat);
  QApplication::sendEvent(&target, &event);
}

inline void tapKey(QWidget& target, int key, Qt::KeyboardModifiers mods = {}) {
  sendKey(target, QEvent::KeyPress, key, mods);
  sendKey(target, QEvent::KeyRelease, key, mods);
}

inline QImage grabImage(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Number of pixels in a rectangle of the image that are not black.
inline int litPixels(const QImage& image, QRect area) {
  int lit = 0;
  area = area.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if ((image.pixel(x, y) & 0xffffff) != 0) ++lit;
  return lit;
}

}  // namespace kvz::testing
