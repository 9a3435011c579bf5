#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>
#include <functional>

namespace kvz {

// The pictures the windows show, by name, and the hand pointer of clickable elements. The
// program hands its own (the bitmaps compiled into it) to the window layer before the first
// window opens; until then every picture is empty and the pointer is the arrow.
struct PictureSet {
  std::function<QPixmap(const QString& name)> picture;
  std::function<QCursor()> handCursor;
};

void usePictureSet(PictureSet set);
QPixmap pictureNamed(const QString& name);
QCursor handPointer();

}  // namespace kvz
