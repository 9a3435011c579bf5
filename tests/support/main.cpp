#include <QApplication>
#include <gtest/gtest.h>

#include "assets/qt/pictures.h"

// Every test program runs with a QApplication on the offscreen platform, so that fonts,
// pictures and widgets work without a display.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  kvz::useGamePictures();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
