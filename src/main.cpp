#include <QApplication>

#include "shell/qt/application.h"

int main(int argc, char** argv) {
  // The GStreamer backend plays the game's WAV and AVI files on a stock Linux desktop.
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
  QApplication app(argc, argv);
  // Qt has taken its own options out of the arguments; the rest is the game's command line.
  kvz::Application game(QCoreApplication::arguments().mid(1));
  game.start();
  return QApplication::exec();
}
