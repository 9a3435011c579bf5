#pragma once

#include <QLoggingCategory>
#include <QString>

namespace kvz {

// Diagnostics for measuring the game on the real clock: off unless switched on with
// QT_LOGGING_RULES="kvizarion.timing=true". Each line reads "<monotonic ms> <what>", the
// stamp from the system's monotonic clock, so a benchmark can set it beside its own times.
Q_DECLARE_LOGGING_CATEGORY(lcTiming)

// Writes one timing line when the category is on; costs one flag test when it is off.
void timingMark(const QString& what);
// Whether the log is on: frequent callers test it before they build the line.
bool timingOn();

}  // namespace kvz
