#pragma once

#include <QEventLoop>
#include <QTimer>

namespace kvz::fakes {

// Runs the real event loop for about ms milliseconds.
inline void runEvents(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace kvz::fakes
