#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

#include "platform/media.h"

class QThread;

namespace kvz {

// How long the game, when it closes, waits for the sound players to end in their thread.
inline constexpr std::chrono::milliseconds kSoundThreadEndWait{3000};

// A thread of the sound players' own. Starting a GStreamer pipeline talks to the sound server
// and now and then holds its caller for seconds; in the window's thread that froze the game
// (a key pressed after the call was handled seconds late). Here only the sound waits.
class SoundThread {
public:
  explicit SoundThread(std::chrono::milliseconds endWait = kSoundThreadEndWait);
  // Ends every player in the thread and the thread itself; a thread still held by the media
  // library after the wait is left to end on its own, or with the process.
  ~SoundThread();
  SoundThread(const SoundThread&) = delete;
  SoundThread& operator=(const SoundThread&) = delete;

  using Factory = std::function<std::unique_ptr<MediaBackend>()>;
  // A player made by the factory in the thread. Its calls return at once and reach the real
  // player in the order they were made; destroying it destroys the real one in the thread.
  std::unique_ptr<MediaBackend> player(Factory factory);

private:
  std::unique_ptr<QThread> thread_;
  // Lives in the thread: the calls are queued to it.
  std::unique_ptr<QObject> inThread_;
  std::chrono::milliseconds endWait_;
};

}  // namespace kvz
