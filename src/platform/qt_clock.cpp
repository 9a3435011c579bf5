#include "platform/qt_clock.h"

#include <algorithm>

#include "platform/timing_log.h"

namespace kvz {

QtClock::QtClock() { elapsed_.start(); }

QtClock::~QtClock() {
  for (auto& [timer, armed] : timers_) delete armed.qtimer;
}

void QtClock::arm(Timer& timer, int ms) { start(timer, nowMs() + ms); }

void QtClock::armNext(Timer& timer, int ms) {
  const auto it = timers_.find(&timer);
  // Late handling does not delay the ticks after it; a tick a whole interval late or more is
  // followed at once, never by a burst of the ticks it missed.
  const std::int64_t due = it == timers_.end() ? nowMs() + ms : it->second.dueMs + ms;
  start(timer, std::max(due, nowMs()));
}

void QtClock::start(Timer& timer, std::int64_t dueMs) {
  auto [it, fresh] = timers_.try_emplace(&timer);
  if (fresh) {
    it->second.qtimer = new QTimer();
    it->second.qtimer->setSingleShot(true);
    it->second.qtimer->setTimerType(Qt::PreciseTimer);
    Timer* target = &timer;
    QObject::connect(it->second.qtimer, &QTimer::timeout, it->second.qtimer, [target] {
      if (timingOn()) timingMark(QStringLiteral("tick ") + target->name);
      target->fire();
    });
  }
  it->second.dueMs = dueMs;
  it->second.qtimer->start(static_cast<int>(std::max<std::int64_t>(dueMs - nowMs(), 0)));
}

void QtClock::disarm(Timer& timer) {
  const auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  it->second.qtimer->stop();
  // Deleted later: disarm may run inside this very QTimer's timeout signal.
  it->second.qtimer->deleteLater();
  timers_.erase(it);
}

}  // namespace kvz
