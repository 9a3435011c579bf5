#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <functional>

namespace kvz {

// The pictures the windows show, by name, and the hand pointer of clickable elements, each
// at the whole-number scale the scene is shown at. The program hands its own to the window
// layer before the first window opens; until then every picture is empty and the pointer
// is the arrow.
struct PictureSet {
  std::function<QPixmap(const QString& name, int scale)> picture;
  std::function<QCursor(int scale)> handCursor;
  // Makes the named pictures ready at the scale at once (a window about to show them).
  std::function<void(const QStringList& names, int scale)> prepare;
};

void usePictureSet(PictureSet set);
void preparePictures(const QStringList& names, int scale);
QPixmap pictureNamed(const QString& name, int scale);
QCursor handPointer(int scale);

}  // namespace kvz
