#include "platform/qt/media_system.h"

#include <QEvent>

#include "platform/qt/media_players.h"
#include "platform/timing_log.h"

namespace kvz {

namespace {

// Marks each move of a player's picture (its element's widget) in the timing log.
class MoveMarker final : public QObject {
public:
  MoveMarker(QWidget* surface, QString name) : name_(std::move(name)) { surface->installEventFilter(this); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Move)
      if (auto* w = qobject_cast<QWidget*>(watched))
        timingMark(QStringLiteral("%1 move %2,%3").arg(name_).arg(w->x()).arg(w->y()));
    return false;
  }

private:
  QString name_;
};

}  // namespace

LazyMedia::LazyMedia(QString name, Factory factory) : name_(std::move(name)), factory_(std::move(factory)) {}

LazyMedia::~LazyMedia() = default;

void LazyMedia::setFile(const QString& path) {
  if (timingOn()) timingMark(name_ + QStringLiteral(" set file ") + path);
  hasFile_ = true;
  file_ = path;
  if (real_) real_->setFile(path);
}

void LazyMedia::play() {
  if (timingOn()) timingMark(name_ + QStringLiteral(" play"));
  create();
  real_->play();
}

void LazyMedia::stop() {
  if (timingOn()) timingMark(name_ + QStringLiteral(" stop"));
  if (real_) real_->stop();
}

void LazyMedia::attachSurface(QWidget* surface) {
  surface_ = surface;
  moveWatch_.reset(surface && timingOn() ? new MoveMarker(surface, name_) : nullptr);
  if (auto* user = dynamic_cast<VideoSurfaceUser*>(real_.get())) user->attachSurface(surface);
}

void LazyMedia::detachSurface(QWidget* surface) {
  if (surface_ == surface) {
    surface_ = nullptr;
    moveWatch_.reset();
  }
  if (auto* user = dynamic_cast<VideoSurfaceUser*>(real_.get())) user->detachSurface(surface);
}

void LazyMedia::create() {
  if (real_) return;
  real_ = factory_ ? factory_() : nullptr;
  if (!real_) real_ = std::make_unique<SilentMedia>();
  if (auto* user = dynamic_cast<VideoSurfaceUser*>(real_.get()); user && surface_) user->attachSurface(surface_);
  if (hasFile_) real_->setFile(file_);
}

MediaSystem::MediaSystem(QStringList effectFiles, QString musicFile)
    : music_(QStringLiteral("music"), [this, file = std::move(musicFile)]() -> std::unique_ptr<MediaBackend> {
        if (!audioOutputAvailable()) return nullptr;
        return sound_.player([file] {
          return std::make_unique<SoundPlayer>(QStringList{file}, SoundPlayer::Repeat::Forever);
        });
      }),
      effects_(QStringLiteral("effects"), [this, files = std::move(effectFiles)]() -> std::unique_ptr<MediaBackend> {
        if (!audioOutputAvailable()) return nullptr;
        return sound_.player([files] { return std::make_unique<SoundPlayer>(files); });
      }),
      video_(QStringLiteral("video"), [] { return std::make_unique<VideoPlayer>(); }) {
  selectMediaBackend();
}

MediaSystem::~MediaSystem() = default;

void MediaSystem::createAfterFirstPaint() {
  music_.create();
  effects_.create();
  video_.create();
}

}  // namespace kvz
