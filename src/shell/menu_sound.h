#pragma once

#include <QString>

namespace kvz {

// The sound the start menu plays to its end before a game opens. The menu does not block
// on it: it learns how long the sound lasts and waits that long on a timer.
class MenuSound {
public:
  virtual ~MenuSound() = default;
  // Starts the file and returns how long it plays, in ms; 0 when nothing will be heard (no
  // such file, an unreadable one, no audio device).
  virtual int play(const QString& path) = 0;
};

}  // namespace kvz
