#pragma once

#include <QStringList>
#include <memory>

namespace kvz {

// The whole program: the services, the four windows (each one object for the whole run),
// the display mode and the ways the program ends. Made after the QApplication, destroyed
// before it.
class Application {
public:
  explicit Application(const QStringList& argumentsAfterProgram);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Shows the first window: the start menu.
  void start();

private:
  struct Parts;
  std::unique_ptr<Parts> p_;
};

}  // namespace kvz
