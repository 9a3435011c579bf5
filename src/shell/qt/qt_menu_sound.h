#pragma once

#include <memory>

#include "platform/media.h"
#include "shell/menu_sound.h"

namespace kvz {

class SoundThread;

// Plays the menu sound in the sound thread, through a sound player made at the first play,
// never before: the menu paints first. Its length comes from the file itself, since without a
// sound server a player reports playing for ever and never tells its end.
class QtMenuSound final : public MenuSound {
public:
  explicit QtMenuSound(SoundThread& thread);
  ~QtMenuSound() override;
  int play(const QString& path) override;

private:
  SoundThread& thread_;
  std::unique_ptr<MediaBackend> player_;
};

}  // namespace kvz
