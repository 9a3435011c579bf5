#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <unordered_map>

#include "platform/clock.h"

namespace kvz {

// The real clock: one precise single-shot QTimer per armed timer, on the Qt event loop.
class QtClock final : public Clock {
public:
  QtClock();
  ~QtClock() override;
  std::int64_t nowMs() const override { return elapsed_.elapsed(); }

protected:
  void arm(Timer& timer, int ms) override;
  void armNext(Timer& timer, int ms) override;
  void disarm(Timer& timer) override;

private:
  struct Armed {
    QTimer* qtimer = nullptr;
    std::int64_t dueMs = 0;
  };
  void start(Timer& timer, std::int64_t dueMs);

  QElapsedTimer elapsed_;
  std::unordered_map<Timer*, Armed> timers_;
};

}  // namespace kvz
