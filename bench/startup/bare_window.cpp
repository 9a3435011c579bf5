// A bare 640 x 480 window that reports its first paint the way the game does, so the
// start-up of both can be compared when started the same way.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <cstdio>

namespace {

class FirstPaint final : public QObject {
public:
  explicit FirstPaint(QElapsedTimer& since) : since_(since) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      std::printf("painted bare %lld -1\n", static_cast<long long>(since_.elapsed()));
      std::fflush(stdout);
    }
    return QObject::eventFilter(watched, event);
  }

private:
  QElapsedTimer& since_;
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer since;
  since.start();
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(640, 480);
  window.setStyleSheet(QStringLiteral("background: black"));
  FirstPaint probe(since);
  window.installEventFilter(&probe);
  window.show();
  return QApplication::exec();
}
