#include "platform/clock.h"

namespace kvz {

Timer::Timer(Clock& clock, int intervalMs, bool enabled)
    : clock_(clock), interval_(intervalMs), enabled_(enabled) {
  rearm();
}

Timer::~Timer() { clock_.disarm(*this); }

void Timer::setInterval(int ms) {
  interval_ = ms;
  rearm();
}

void Timer::setEnabled(bool on) {
  if (on == enabled_) return;  // enabling a running timer does not restart its count
  enabled_ = on;
  rearm();
}

void Timer::fire() {
  if (!running()) return;
  clock_.armNext(*this, interval_);  // the next tick counts from this one, whatever the handler does
  if (onTick) onTick();
}

void Timer::rearm() {
  if (running())
    clock_.arm(*this, interval_);
  else
    clock_.disarm(*this);
}

void VirtualClock::arm(Timer& timer, int ms) {
  disarm(timer);
  const Key key{now_ + ms, order_++};
  queue_.emplace(key, &timer);
  armed_.emplace(&timer, key);
}

void VirtualClock::disarm(Timer& timer) {
  const auto it = armed_.find(&timer);
  if (it == armed_.end()) return;
  queue_.erase(it->second);
  armed_.erase(it);
}

std::int64_t VirtualClock::nextDue() const {
  return queue_.empty() ? -1 : queue_.begin()->first.due;
}

bool VirtualClock::step() {
  if (queue_.empty()) return false;
  const auto [key, timer] = *queue_.begin();
  queue_.erase(queue_.begin());
  armed_.erase(timer);
  if (key.due > now_) now_ = key.due;
  timer->fire();
  return true;
}

void VirtualClock::advanceTo(std::int64_t timeMs) {
  while (!queue_.empty() && queue_.begin()->first.due <= timeMs) step();
  if (timeMs > now_) now_ = timeMs;
}

void VirtualClock::advance(std::int64_t ms) { advanceTo(now_ + ms); }

}  // namespace kvz
