#include "shell/qt/qt_menu_sound.h"

#include <QSoundEffect>
#include <QUrl>

#include "assets/wav_info.h"
#include "platform/qt/media_players.h"

namespace kvz {

QtMenuSound::QtMenuSound() = default;
QtMenuSound::~QtMenuSound() = default;

int QtMenuSound::play(const QString& path) {
  const std::optional<int> lengthMs = wavDurationMs(path.toStdString());
  if (!lengthMs || *lengthMs <= 0) return 0;
  if (!audioOutputAvailable()) return 0;
  // A QSoundEffect played again falls silent after a few rounds: every play gets a fresh one
  // (the one before is done by now; deleting it ends it).
  effect_ = std::make_unique<QSoundEffect>();
  effect_->setSource(QUrl::fromLocalFile(path));
  effect_->play();
  return *lengthMs;
}

}  // namespace kvz
