#pragma once

#include <memory>

#include "shell/menu_sound.h"

class QSoundEffect;

namespace kvz {

// Plays the menu sound with a QSoundEffect made afresh at every play, never before the
// first: the menu paints first. Its length comes from the file itself, since without a sound server the
// effect reports playing for ever and never tells its end.
class QtMenuSound final : public MenuSound {
public:
  QtMenuSound();
  ~QtMenuSound() override;
  int play(const QString& path) override;

private:
  std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace kvz
