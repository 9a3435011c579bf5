#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>
#include <functional>

namespace kvz {

// The pictures the windows show, by name, and the hand pointer of clickable elements, each
// at the whole-number scale the scene is shown at. The program hands its own to the window
// layer before the first window opens; until then every picture is empty and the pointer
// is the arrow.
struct PictureSet {
  std::function<QPixmap(const QString& name, int scale)> picture;
  std::function<QCursor(int scale)> handCursor;
};

void usePictureSet(PictureSet set);
QPixmap pictureNamed(const QString& name, int scale);
QCursor handPointer(int scale);

}  // namespace kvz
