// A bare 640 x 480 window that writes its first paint as the game's timing log does
// ("kvizarion.timing: <monotonic ms> painted bare 640x480" on standard error), so the
// start-up of both can be compared when started the same way.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>

#include "platform/scene_scale.h"

namespace {

class FirstPaint final : public QObject {
protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
      std::fprintf(stderr, "kvizarion.timing: %lld painted bare 640x480\n", static_cast<long long>(ms));
      std::fflush(stderr);
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(kvz::kSceneWidth, kvz::kSceneHeight);
  window.setStyleSheet(QStringLiteral("background: black"));
  FirstPaint probe;
  window.installEventFilter(&probe);
  window.show();
  return QApplication::exec();
}
