#include "platform/qt/picture_set.h"

namespace kvz {

namespace {
PictureSet& current() {
  static PictureSet set;
  return set;
}
}  // namespace

void usePictureSet(PictureSet set) { current() = std::move(set); }

QPixmap pictureNamed(const QString& name, int scale) {
  return current().picture ? current().picture(name, scale) : QPixmap();
}

void preparePictures(const QStringList& names, int scale) {
  if (current().prepare) current().prepare(names, scale);
}

QCursor handPointer(int scale) { return current().handCursor ? current().handCursor(scale) : QCursor(Qt::ArrowCursor); }

}  // namespace kvz
