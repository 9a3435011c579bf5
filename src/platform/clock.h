#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace kvz {

class Timer;

// A source of time that drives timers. The real clock runs on Qt's event loop; the virtual
// clock is advanced by hand, so a whole timed sequence runs in microseconds at exact times.
class Clock {
public:
  virtual ~Clock() = default;
  virtual std::int64_t nowMs() const = 0;

protected:
  friend class Timer;
  // Calls timer.fire() once, ms milliseconds from now, replacing any earlier arming.
  virtual void arm(Timer& timer, int ms) = 0;
  // Arms the next tick of a timer that has just ticked: ms after the tick was due, not after
  // it was handled, so a run of ticks keeps its pace however late each one is handled.
  virtual void armNext(Timer& timer, int ms) { arm(timer, ms); }
  virtual void disarm(Timer& timer) = 0;
};

// A window timer: an interval in ms and an enabled flag. Interval 0 never ticks; setting
// the interval of a running timer restarts its count. A tick handler may disable its own
// timer, enable another, change intervals and call other handlers directly.
class Timer {
public:
  Timer(Clock& clock, int intervalMs, bool enabled);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int interval() const { return interval_; }
  void setInterval(int ms);
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  // True while the timer will tick: enabled with an interval above zero.
  bool running() const { return enabled_ && interval_ > 0; }

  std::function<void()> onTick;
  // The timer's name on its window, for the timing log.
  QString name;

  // Called by the clock when the interval has passed: re-arms, then runs the handler.
  void fire();

private:
  void rearm();

  Clock& clock_;
  int interval_ = 0;
  bool enabled_ = false;
};

// A clock for tests and simulations: time stands still until advance() is called, which
// fires every due timer in order of its due time (ties in order of arming).
class VirtualClock final : public Clock {
public:
  std::int64_t nowMs() const override { return now_; }
  // Moves time forward by ms, firing every timer that falls due on the way.
  void advance(std::int64_t ms);
  void advanceTo(std::int64_t timeMs);
  // Time of the next due timer, or -1 when none is armed.
  std::int64_t nextDue() const;
  // Advances to the next due timer and fires it; false when nothing is armed.
  bool step();

protected:
  void arm(Timer& timer, int ms) override;
  void disarm(Timer& timer) override;

private:
  struct Key {
    std::int64_t due;
    std::uint64_t order;
    bool operator<(const Key& o) const { return due != o.due ? due < o.due : order < o.order; }
  };
  std::int64_t now_ = 0;
  std::uint64_t order_ = 0;
  std::map<Key, Timer*> queue_;
  std::map<Timer*, Key> armed_;
};

}  // namespace kvz
