#include "shell/qt/startup_probe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace kvz {

StartupProbe::StartupProbe() : mode_(qEnvironmentVariable("KVIZARION_PROBE")) {
  enabled_ = !mode_.isEmpty();
  sinceStart_.start();
}

void StartupProbe::watch(QWidget* window, const QString& name, std::function<void()> then) {
  if (!window) return;
  if (window_) window_->removeEventFilter(this);
  window_ = window;
  name_ = name;
  then_ = std::move(then);
  window->installEventFilter(this);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::Paint) {
    window_->removeEventFilter(this);
    window_ = nullptr;
    if (enabled_) {
      std::printf("painted %s %lld %lld\n", qPrintable(name_), static_cast<long long>(sinceStart_.elapsed()),
                  static_cast<long long>(sinceMark_.isValid() ? sinceMark_.elapsed() : -1));
      std::fflush(stdout);
    }
    if (then_) QTimer::singleShot(0, this, std::exchange(then_, {}));
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kvz
