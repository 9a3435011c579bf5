#include <QApplication>

#include "shell/qt/application.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt has taken its own options out of the arguments; the rest is the game's command line.
  kvz::Application game(QCoreApplication::arguments().mid(1));
  game.start();
  return QApplication::exec();
}
