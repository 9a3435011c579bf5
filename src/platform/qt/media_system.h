#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/media.h"
#include "platform/qt/sound_thread.h"
#include "platform/qt/video_surface.h"

namespace kvz {

// Stands in for a player that is made only when first needed: it keeps the file it is
// given and the surface it is shown on, and hands both to the real player once it exists.
// Stopping a player that was never made does nothing.
class LazyMedia final : public MediaBackend, public VideoSurfaceUser {
public:
  using Factory = std::function<std::unique_ptr<MediaBackend>()>;
  // The name marks the player's operations in the timing log.
  LazyMedia(QString name, Factory factory);
  ~LazyMedia() override;

  void setFile(const QString& path) override;
  void play() override;
  void stop() override;
  void attachSurface(QWidget* surface) override;
  void detachSurface(QWidget* surface) override;

  // Makes the real player now, if it is not made yet.
  void create();

private:
  QString name_;
  Factory factory_;
  std::unique_ptr<MediaBackend> real_;
  bool hasFile_ = false;
  QString file_;
  QPointer<QWidget> surface_;
  std::unique_ptr<QObject> moveWatch_;
};

// The three players of the game window. Making them costs tens of milliseconds and of
// mebibytes, so none is made before the first window is painted: each is made when first
// played, or all at once when the shell calls createAfterFirstPaint(). Without an audio
// output the music and effect players are silent and make no audio objects. The music and the
// effects play in a thread of their own; the video is drawn in the window's.
class MediaSystem {
public:
  // The files, given by the caller, are those the effect and music players load ahead of time.
  explicit MediaSystem(QStringList effectFiles, QString musicFile = QString());
  ~MediaSystem();

  MediaBackend& music() { return music_; }
  MediaBackend& effects() { return effects_; }
  MediaBackend& video() { return video_; }
  // The thread of the music and the effects, for the other sounds of the program.
  SoundThread& soundThread() { return sound_; }

  void createAfterFirstPaint();

private:
  // Made before the players and ended after them.
  SoundThread sound_;
  LazyMedia music_;
  LazyMedia effects_;
  LazyMedia video_;
};

}  // namespace kvz
