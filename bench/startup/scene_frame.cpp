// How long one frame of the game window takes to paint at the scene's scales: the game
// window with a question on it, full screen on the current screen (or at the size given),
// repainted again and again; each repaint draws every element and hands the frame to the
// window system. First, how long drawing every picture at the scale takes, once each (the game
// draws each when it first shows it).
//   scene_frame [WIDTHxHEIGHT] [--frames N]
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "assets/layout_main.h"
#include "assets/picture_names.h"
#include "assets/qt/pictures.h"
#include "platform/clock.h"
#include "platform/qt/form_view.h"
#include "platform/scene_scale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kvz::useGamePictures();
  QSize size = QGuiApplication::primaryScreen()->size();
  int frames = 100;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--frames") && i + 1 < args.size())
      frames = std::max(1, args[++i].toInt());
    else if (const QStringList wh = args[i].split(QLatin1Char('x')); wh.size() == 2)
      size = QSize(wh[0].toInt(), wh[1].toInt());
  }
  const int scale = kvz::sceneScaleFor(size.width(), size.height());
  double total = 0;
  double slowest = 0;
  const char* slowestName = "";
  QElapsedTimer drawing;
  for (const kvz::PictureInfo& info : kvz::allPictures()) {
    drawing.start();
    kvz::picture(QString::fromLatin1(info.name), scale);
    const double ms = static_cast<double>(drawing.nsecsElapsed()) / 1e6;
    total += ms;
    if (ms > slowest) slowest = ms, slowestName = info.name;
  }
  std::printf("every picture at %d x: %.0f ms, the slowest %.1f ms (%s);", scale, total, slowest, slowestName);
  kvz::VirtualClock clock;
  auto form = kvz::makeFrmMain(clock);
  kvz::Form& f = *form;
  f[QStringLiteral("lblZadani")].setCaption(QStringLiteral("Jak se jmenuje nejvyšší hora České republiky?"));
  for (const char* name : {"lblA", "lblB", "lblC", "lblD"}) f[QString::fromLatin1(name)].setCaption(QStringLiteral("Sněžka"));
  for (const char* name : {"imgVyhra", "Shape1", "imgNDivGraf", "lblNDivA", "lblNDivB", "lblNDivC", "lblNDivD",
                           "colNDivA", "colNDivB", "colNDivC", "colNDivD"})
    f[QString::fromLatin1(name)].setVisible(false);
  kvz::FormView view(f, nullptr, Qt::FramelessWindowHint, kvz::WindowFit::FullScreen);
  view.setGeometry(QRect(QPoint(0, 0), size));
  view.show();
  QCoreApplication::processEvents();
  // The whole window, then what a pick changes: one answer plate with its text.
  QWidget* plate = view.elementWidget(QStringLiteral("imgA"));
  std::printf("%dx%d scale %g:", view.width(), view.height(), view.sceneFit().density);
  for (QWidget* painted : {static_cast<QWidget*>(&view), plate}) {
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < frames; ++i) {
      timer.start();
      painted->repaint();
      QCoreApplication::processEvents();
      ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf(" %s %.2f / %.2f / %.2f ms", painted == plate ? "answer plate" : "whole frame", ms.front(),
                ms[ms.size() / 2], ms.back());
  }
  std::printf(" (min / median / max of %d)\n", frames);
  view.detach();
  return 0;
}
