#include "assets/qt/pictures.h"

#include <QHash>

#include "assets/picture_names.h"

namespace kvz {

QPixmap picture(const QString& name) {
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
    return hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, 9, 1);
  }();
  return cursor;
}

}  // namespace kvz
