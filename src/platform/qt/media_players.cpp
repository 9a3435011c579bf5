#include "platform/qt/media_players.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QLayout>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>
#include <QVideoWidget>

namespace kvz {

void selectMediaBackend() {
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

bool audioOutputAvailable() {
  selectMediaBackend();
  return !QMediaDevices::audioOutputs().isEmpty();
}

bool playableFile(const QString& path) {
  const QFileInfo info(path);
  return !path.isEmpty() && info.isFile() && info.isReadable() && info.size() > 0;
}

SoundPlayer::SoundPlayer(const QStringList& preload, Repeat repeat) : repeat_(repeat) {
  for (const QString& path : preload) load(path);
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::load(const QString& path) {
  if (!playableFile(path)) return false;
  auto& keeper = loaded_[path];
  if (!keeper) {
    keeper = std::make_unique<QSoundEffect>();
    keeper->setSource(QUrl::fromLocalFile(path));
  }
  return keeper->status() != QSoundEffect::Error;
}

void SoundPlayer::setFile(const QString& path) { chosen_ = load(path) ? path : QString(); }

// A QSoundEffect that is stopped and played again falls silent after a few rounds, so every
// play gets a fresh one; it finds the sound already decoded by the keeper of that file.
void SoundPlayer::play() {
  stop();
  if (chosen_.isEmpty()) return;
  playing_ = std::make_unique<QSoundEffect>();
  playing_->setSource(QUrl::fromLocalFile(chosen_));
  // The sound's own repeat runs on from its end into its start; a QMediaPlayer's repeat left a
  // gap and now and then fell silent after a round or two.
  if (repeat_ == Repeat::Forever) playing_->setLoopCount(QSoundEffect::Infinite);
  playing_->play();
}

void SoundPlayer::stop() {
  if (!playing_) return;
  playing_->stop();
  playing_.reset();
}

// The video is loaded once and then halted by pausing: QMediaPlayer::stop() waits for a new
// first frame and blocks the window for 300 ms to 1 s. A new file gets a fresh QMediaPlayer,
// since replacing the source of a loaded one blocks as long.
VideoPlayer::VideoPlayer() : widget_(new QVideoWidget) {
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget_->hide();
}

VideoPlayer::~VideoPlayer() {
  player_.reset();
  delete widget_.data();
}

void VideoPlayer::attachSurface(QWidget* surface) {
  surface_ = surface;
  if (!widget_) return;
  widget_->setParent(surface);
  if (!surface) {
    widget_->hide();
    return;
  }
  if (surface->layout()) surface->layout()->addWidget(widget_);
  widget_->setGeometry(surface->rect());
  widget_->show();
}

void VideoPlayer::detachSurface(QWidget* surface) {
  if (surface_ == surface) attachSurface(nullptr);
}

void VideoPlayer::setFile(const QString& path) {
  const QString file = playableFile(path) ? path : QString();
  if (player_ && file == file_) {
    stop();
    return;
  }
  player_.reset();
  file_ = file;
  if (file_.isEmpty()) return;
  player_ = std::make_unique<QMediaPlayer>();
  player_->setVideoOutput(widget_.data());
  player_->setSource(QUrl::fromLocalFile(file_));
}

void VideoPlayer::play() {
  if (!player_) return;
  player_->setPosition(0);
  player_->play();
}

void VideoPlayer::stop() {
  if (player_ && player_->playbackState() == QMediaPlayer::PlayingState) player_->pause();
}

}  // namespace kvz
