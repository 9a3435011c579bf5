#include "platform/qt/media_players.h"

#include <QAudioDevice>
#include <QAudioOutput>
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

EffectPlayer::EffectPlayer(const QStringList& preload) {
  for (const QString& path : preload) effectFor(path);
}

EffectPlayer::~EffectPlayer() = default;

QSoundEffect* EffectPlayer::effectFor(const QString& path) {
  if (!playableFile(path)) return nullptr;
  auto& effect = effects_[path];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
  }
  return effect.get();
}

void EffectPlayer::setFile(const QString& path) { chosen_ = effectFor(path); }

void EffectPlayer::play() {
  stop();
  if (!chosen_) return;
  chosen_->play();
  playing_ = chosen_;
}

void EffectPlayer::stop() {
  if (playing_) playing_->stop();
  playing_ = nullptr;
}

MusicPlayer::MusicPlayer() : player_(std::make_unique<QMediaPlayer>()), output_(std::make_unique<QAudioOutput>()) {
  player_->setAudioOutput(output_.get());
  player_->setLoops(QMediaPlayer::Infinite);
}

MusicPlayer::~MusicPlayer() {
  player_->stop();
  player_->setAudioOutput(nullptr);
}

void MusicPlayer::setFile(const QString& path) {
  player_->stop();
  player_->setSource(QUrl());
  file_ = playableFile(path) ? path : QString();
}

void MusicPlayer::play() {
  player_->stop();
  player_->setSource(QUrl());
  if (file_.isEmpty()) return;
  player_->setSource(QUrl::fromLocalFile(file_));
  player_->play();
}

void MusicPlayer::stop() { player_->stop(); }

VideoPlayer::VideoPlayer() : player_(std::make_unique<QMediaPlayer>()), widget_(new QVideoWidget) {
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget_->hide();
  player_->setVideoOutput(widget_.data());
}

VideoPlayer::~VideoPlayer() {
  player_->stop();
  player_->setVideoOutput(static_cast<QObject*>(nullptr));
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
  player_->stop();
  file_ = playableFile(path) ? path : QString();
  player_->setSource(file_.isEmpty() ? QUrl() : QUrl::fromLocalFile(file_));
}

void VideoPlayer::play() {
  if (file_.isEmpty()) return;
  player_->setPosition(0);
  player_->play();
}

void VideoPlayer::stop() { player_->stop(); }

}  // namespace kvz
