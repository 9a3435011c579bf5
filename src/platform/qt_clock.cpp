#include "platform/qt_clock.h"

#include <QCoreApplication>

#include "platform/timing_log.h"

namespace kvz {

QtClock::QtClock() { elapsed_.start(); }

QtClock::~QtClock() {
  for (auto& [timer, qtimer] : timers_) delete qtimer;
}

void QtClock::processEvents() { QCoreApplication::processEvents(); }

void QtClock::arm(Timer& timer, int ms) {
  auto [it, fresh] = timers_.try_emplace(&timer, nullptr);
  if (fresh) {
    it->second = new QTimer();
    it->second->setSingleShot(true);
    it->second->setTimerType(Qt::PreciseTimer);
    Timer* target = &timer;
    QObject::connect(it->second, &QTimer::timeout, it->second, [target] {
      timingMark(QStringLiteral("tick ") + target->name);
      target->fire();
    });
  }
  it->second->start(ms);
}

void QtClock::disarm(Timer& timer) {
  const auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  it->second->stop();
  // Deleted later: disarm may run inside this very QTimer's timeout signal.
  it->second->deleteLater();
  timers_.erase(it);
}

}  // namespace kvz
