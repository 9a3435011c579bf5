#include "platform/qt/media_system.h"

#include "platform/qt/media_players.h"

namespace kvz {

LazyMedia::~LazyMedia() = default;

void LazyMedia::setFile(const QString& path) {
  hasFile_ = true;
  file_ = path;
  if (real_) real_->setFile(path);
}

void LazyMedia::play() {
  create();
  real_->play();
}

void LazyMedia::stop() {
  if (real_) real_->stop();
}

void LazyMedia::attachSurface(QWidget* surface) {
  surface_ = surface;
  if (auto* user = dynamic_cast<VideoSurfaceUser*>(real_.get())) user->attachSurface(surface);
}

void LazyMedia::detachSurface(QWidget* surface) {
  if (surface_ == surface) surface_ = nullptr;
  if (auto* user = dynamic_cast<VideoSurfaceUser*>(real_.get())) user->detachSurface(surface);
}

void LazyMedia::create() {
  if (real_) return;
  real_ = factory_ ? factory_() : nullptr;
  if (!real_) real_ = std::make_unique<SilentMedia>();
  if (auto* user = dynamic_cast<VideoSurfaceUser*>(real_.get()); user && surface_) user->attachSurface(surface_);
  if (hasFile_) real_->setFile(file_);
}

MediaSystem::MediaSystem(QStringList effectFiles)
    : effectFiles_(std::move(effectFiles)),
      music_([]() -> std::unique_ptr<MediaBackend> {
        if (!audioOutputAvailable()) return nullptr;
        return std::make_unique<MusicPlayer>();
      }),
      effects_([this]() -> std::unique_ptr<MediaBackend> {
        if (!audioOutputAvailable()) return nullptr;
        return std::make_unique<EffectPlayer>(effectFiles_);
      }),
      video_([] { return std::make_unique<VideoPlayer>(); }) {
  selectMediaBackend();
}

MediaSystem::~MediaSystem() = default;

void MediaSystem::createAfterFirstPaint() {
  music_.create();
  effects_.create();
  video_.create();
}

}  // namespace kvz
