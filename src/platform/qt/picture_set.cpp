#include "platform/qt/picture_set.h"

namespace kvz {

namespace {
PictureSet& current() {
  static PictureSet set;
  return set;
}
}  // namespace

void usePictureSet(PictureSet set) { current() = std::move(set); }

QPixmap pictureNamed(const QString& name) { return current().picture ? current().picture(name) : QPixmap(); }

QCursor handPointer() { return current().handCursor ? current().handCursor() : QCursor(Qt::ArrowCursor); }

}  // namespace kvz
