#include "platform/timing_log.h"

#include <chrono>

namespace kvz {

Q_LOGGING_CATEGORY(lcTiming, "kvizarion.timing", QtWarningMsg)

bool timingOn() { return lcTiming().isDebugEnabled(); }

void timingMark(const QString& what) {
  if (!timingOn()) return;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count();
  qCDebug(lcTiming).noquote() << ms << what;
}

}  // namespace kvz
