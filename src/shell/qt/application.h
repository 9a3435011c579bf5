#pragma once

#include <QStringList>
#include <memory>

namespace kvz {

class StartupProbe;

// The whole program: the services, the four windows (each one object for the whole run),
// the display mode and the ways the program ends. Made after the QApplication, destroyed
// before it.
class Application {
public:
  Application(const QStringList& argumentsAfterProgram, StartupProbe& probe);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Shows the first window: the start menu (or, for a benchmark, the game window).
  void start();

private:
  struct Parts;
  std::unique_ptr<Parts> p_;
};

}  // namespace kvz
