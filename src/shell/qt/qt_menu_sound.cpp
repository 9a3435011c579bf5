#include "shell/qt/qt_menu_sound.h"

#include "assets/wav_info.h"
#include "platform/qt/media_players.h"
#include "platform/qt/sound_thread.h"

namespace kvz {

QtMenuSound::QtMenuSound(SoundThread& thread) : thread_(thread) {}
QtMenuSound::~QtMenuSound() = default;

int QtMenuSound::play(const QString& path) {
  const std::optional<int> lengthMs = wavDurationMs(path.toStdString());
  if (!lengthMs || *lengthMs <= 0) return 0;
  if (!audioOutputAvailable()) return 0;
  if (!player_) player_ = thread_.player([] { return std::make_unique<SoundPlayer>(QStringList()); });
  player_->setFile(path);
  player_->play();
  return *lengthMs;
}

}  // namespace kvz
