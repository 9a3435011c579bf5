#include "assets/qt/pictures.h"

#include <QHash>

#include "assets/picture_names.h"

// The pictures are compiled into a static library; registering them by hand keeps the
// linker from dropping them, since nothing else refers to that object file.
static void registerPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace kvz {

namespace {
// The fingertip of the hand pointer picture.
constexpr int kHandHotSpotX = 11;
constexpr int kHandHotSpotY = 1;
}  // namespace

QPixmap picture(const QString& name) {
  static const bool registered = (registerPictureResources(), true);
  Q_UNUSED(registered);
  static QHash<QString, QPixmap> cache;
  const auto canonical = canonicalPictureName(name);
  if (!canonical) {
    qWarning("kvizarion: no picture named %s", qPrintable(name));
    return {};
  }
  auto it = cache.find(*canonical);
  if (it == cache.end()) it = cache.insert(*canonical, QPixmap(QStringLiteral(":/pictures/%1.png").arg(*canonical)));
  return *it;
}

QCursor handCursor() {
  static const QCursor cursor = [] {
    const QPixmap hand = picture(QStringLiteral("HAND"));
    return hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, kHandHotSpotX, kHandHotSpotY);
  }();
  return cursor;
}

}  // namespace kvz
