#include "assets/qt/pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <memory>
#include <optional>

#include "assets/drawings/drawing.h"
#include "assets/picture_names.h"
#include "platform/qt/picture_set.h"
#include "platform/timing_log.h"

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

QSize sizeOf(const QString& canonical) {
  const auto info = findPicture(canonical);
  return info ? QSize(info->width, info->height) : QSize();
}

// Each picture once per scale, kept while the program runs; the GUI thread's alone.
using Key = QPair<QString, int>;
QHash<Key, QPixmap>& cache() {
  static QHash<Key, QPixmap> pictures;
  return pictures;
}

// A picture drawn at the scale; should the drawing fail, the bitmap enlarged pixel for pixel.
QPixmap fromDrawing(const std::optional<QImage>& drawn, const QString& canonical, int scale) {
  if (drawn) return QPixmap::fromImage(*drawn);
  qWarning("kvizarion: picture %s not drawn at %d x; enlarged instead", qPrintable(canonical), scale);
  const QPixmap bitmap = compiledIn(canonical);
  return bitmap.scaled(bitmap.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void drawAheadFrom(std::shared_ptr<const QStringList> names, qsizetype next, int scale) {
  if (next >= names->size()) {
    timingMark(QStringLiteral("pictures drawn ahead at %1 x").arg(scale));
    return;
  }
  const qsizetype batch = std::max(1, QThread::idealThreadCount());
  drawPictures(names->mid(next, batch), scale);
  QTimer::singleShot(0, qApp, [names, next, batch, scale] { drawAheadFrom(names, next + batch, scale); });
}

}  // namespace

QPixmap picture(const QString& name, int scale) {
  const auto canonical = canonicalPictureName(name);
  if (!canonical || scale < 1) {
    qWarning("kvizarion: no picture named %s at %d x", qPrintable(name), scale);
    return {};
  }
  const Key key(*canonical, scale);
  if (scale == 1 && !cache().contains(key)) cache().insert(key, compiledIn(*canonical));
  drawPictures({*canonical}, scale);
  return cache().value(key);
}

void drawPictures(const QStringList& names, int scale) {
  if (scale <= 1) return;
  QStringList missing;
  for (const QString& name : names)
    if (const auto canonical = canonicalPictureName(name))
      if (!cache().contains(Key(*canonical, scale)) && !missing.contains(*canonical)) missing << *canonical;
  // Painting into images is safe off the GUI thread; pixmaps are made back on it.
  const QList<std::optional<QImage>> drawn = QtConcurrent::blockingMapped(
      missing, [scale](const QString& name) { return drawings::drawPicture(name, sizeOf(name), scale); });
  for (qsizetype i = 0; i < missing.size(); ++i)
    cache().insert(Key(missing[i], scale), fromDrawing(drawn[i], missing[i], scale));
  if (!missing.isEmpty()) timingMark(QStringLiteral("drew %1 pictures at %2 x").arg(missing.size()).arg(scale));
}

void drawPicturesAhead(int scale) {
  if (scale <= 1) return;
  // The game window's pictures first: it is the next window a player opens.
  auto names = std::make_shared<QStringList>();
  for (const PictureInfo& info : allPictures()) names->append(QString::fromLatin1(info.name));
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

void useGamePictures() { usePictureSet({&picture, &handCursor, &drawPictures}); }

}  // namespace kvz
