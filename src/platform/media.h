#pragma once

#include <QString>

namespace kvz {

// What a media player plays: the sound or the video behind a media element. A missing,
// unreadable or corrupt file, or a machine without sound, leaves it silent; nothing here
// blocks or reports. The game never waits on a player: it runs on its own timers.
class MediaBackend {
public:
  virtual ~MediaBackend() = default;
  // Loads the file and forgets the previous one; does not start playback.
  virtual void setFile(const QString& path) = 0;
  // Starts the loaded file from its beginning.
  virtual void play() = 0;
  // Halts playback at once.
  virtual void stop() = 0;
};

}  // namespace kvz
