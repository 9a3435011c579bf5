#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

#include "platform/media.h"
#include "platform/qt/video_surface.h"

class QMediaPlayer;
class QSoundEffect;
class QVideoWidget;

namespace kvz {

// Chooses the GStreamer back end of Qt Multimedia unless the user chose one (it plays the
// game's WAV and AVI files on a stock Linux desktop); must run before the first multimedia
// object is made.
void selectMediaBackend();
// True when the machine has an audio output to play to.
bool audioOutputAvailable();
// True for a file that a player may try: present and readable.
bool playableFile(const QString& path);

// Plays nothing: the player of a machine without sound.
class SilentMedia final : public MediaBackend {
public:
  void setFile(const QString&) override {}
  void play() override {}
  void stop() override {}
};

// Plays sounds decoded once, ahead of time, so a sound starts within a few tens of
// milliseconds: the effects, each once, and the music, repeated without a gap until stopped.
// Playing stops the sound that plays and starts the chosen one afresh.
class SoundPlayer final : public MediaBackend {
public:
  enum class Repeat { Once, Forever };
  // Loads the given files ahead of time.
  explicit SoundPlayer(const QStringList& preload, Repeat repeat = Repeat::Once);
  ~SoundPlayer() override;
  void setFile(const QString& path) override;
  void play() override;
  void stop() override;

private:
  // Decodes the file unless done before; false for a file that cannot play.
  bool load(const QString& path);

  // One never-played sound per file keeps its decoded samples in Qt's sample cache.
  std::map<QString, std::unique_ptr<QSoundEffect>> loaded_;
  Repeat repeat_;
  QString chosen_;
  std::unique_ptr<QSoundEffect> playing_;
};

// The countdown video, shown in the view of its media element, without sound.
class VideoPlayer final : public MediaBackend, public VideoSurfaceUser {
public:
  VideoPlayer();
  ~VideoPlayer() override;
  void setFile(const QString& path) override;
  void play() override;
  void stop() override;
  void attachSurface(QWidget* surface) override;
  void detachSurface(QWidget* surface) override;

private:
  QPointer<QVideoWidget> widget_;
  std::unique_ptr<QMediaPlayer> player_;
  QPointer<QWidget> surface_;
  QString file_;
};

}  // namespace kvz
