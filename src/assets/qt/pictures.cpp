#include "assets/qt/pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QTimer>
#include <memory>
#include <span>
#include <vector>

#include "assets/drawings/drawing.h"
#include "assets/picture_names.h"

// The pictures are compiled into a static library; registering them by hand keeps the
// linker from dropping them, since nothing else refers to that object file.
static void registerPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace kvz {

namespace {
// The fingertip of the hand pointer picture.
constexpr int kHandHotSpotX = 11;
constexpr int kHandHotSpotY = 1;

QPixmap compiledIn(const QString& canonical) {
  static const bool registered = (registerPictureResources(), true);
  Q_UNUSED(registered);
  return QPixmap(QStringLiteral(":/pictures/%1.png").arg(canonical));
}

// Drawn at the scale; should the drawing fail, the bitmap enlarged pixel for pixel.
QPixmap drawnAt(const QString& canonical, int scale) {
  const QPixmap bitmap = compiledIn(canonical);
  if (const auto image = drawings::drawPicture(canonical, bitmap.size(), scale)) return QPixmap::fromImage(*image);
  qWarning("kvizarion: picture %s not drawn at %d x; enlarged instead", qPrintable(canonical), scale);
  return bitmap.scaled(bitmap.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void drawAheadFrom(std::shared_ptr<const std::vector<QString>> names, std::size_t next, int scale) {
  if (next >= names->size()) return;
  picture((*names)[next], scale);
  QTimer::singleShot(0, qApp, [names, next, scale] { drawAheadFrom(names, next + 1, scale); });
}

}  // namespace

QPixmap picture(const QString& name, int scale) {
  static QHash<QPair<QString, int>, QPixmap> cache;
  const auto canonical = canonicalPictureName(name);
  if (!canonical || scale < 1) {
    qWarning("kvizarion: no picture named %s at %d x", qPrintable(name), scale);
    return {};
  }
  const QPair key(*canonical, scale);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.insert(key, scale == 1 ? compiledIn(*canonical) : drawnAt(*canonical, scale));
  return *it;
}

void drawPicturesAhead(int scale) {
  if (scale <= 1) return;
  // The game window's pictures first: it is the next window a player opens.
  auto names = std::make_shared<std::vector<QString>>();
  for (const auto& list : {std::span<const PictureInfo>(kBitmaps), std::span<const PictureInfo>(kLayoutPictures)})
    for (const PictureInfo& info : list) names->push_back(QString::fromLatin1(info.name));
  drawAheadFrom(std::move(names), 0, scale);
}

QCursor handCursor(int scale) {
  static QHash<int, QCursor> cursors;
  auto it = cursors.find(scale);
  if (it == cursors.end()) {
    const QPixmap hand = picture(QStringLiteral("HAND"), scale);
    it = cursors.insert(scale, hand.isNull() ? QCursor(Qt::PointingHandCursor)
                                             : QCursor(hand, kHandHotSpotX * scale, kHandHotSpotY * scale));
  }
  return *it;
}

}  // namespace kvz
