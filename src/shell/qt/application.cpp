#include "shell/qt/application.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>

#include "assets/layout_about.h"
#include "assets/layout_rules.h"
#include "assets/media_files.h"
#include "assets/qt/pictures.h"
#include "game/frm_main.h"
#include "platform/paths.h"
#include "platform/qt/fonts.h"
#include "platform/qt/media_system.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/window_system.h"
#include "platform/qt_clock.h"
#include "platform/random.h"
#include "shell/command_line.h"
#include "shell/frm_intro.h"
#include "shell/qt/guard_process.h"
#include "shell/qt/qt_menu_sound.h"
#include "shell/qt/termination_signals.h"
#include "shell/qt/xrandr_display.h"

namespace kvz {
namespace {

// X11 with RandR switches modes; anywhere else the display is taken as it is.
std::unique_ptr<DisplayMode> makeDisplayMode() {
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    if (const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
      if (auto randr = openXRandrDisplay(
              x11->display(), guardProgramFor(QCoreApplication::applicationDirPath().toStdString())))
        return randr;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return std::make_unique<FixedDisplay>(screen ? ScreenSize{screen->size().width(), screen->size().height()}
                                               : ScreenSize{});
}

// The effects the effect player loads ahead of time, from the game's data folder.
QStringList effectFiles(const GamePaths& paths) {
  QStringList files;
  for (const char* effect : media::kEffects) files << paths.fileName(effect);
  return files;
}

}  // namespace

struct Application::Parts {
  explicit Parts(const QStringList& arguments)
      : commandLine(commandLineText(arguments)),
        random(MtRandom::fromEnvironment()),
        paths(GamePaths::locate(QCoreApplication::applicationDirPath().toStdString())),
        windows(isNoFullscreen(commandLine) ? WindowFit::FormSize : WindowFit::FullScreen),
        media(effectFiles(paths), paths.fileName(media::kMusic)),
        menuSound(media.soundThread()),
        display(makeDisplayMode()),
        frmMain(GameServices{clock, *random, boxes, measure, paths, windows, media.music(), media.effects(),
                             media.video()}),
        frmRules(windows, measure, makeFrmRules),
        frmAbout(windows, measure, makeFrmAbout),
        frmIntro(ShellServices{clock, windows, boxes, *display, menuSound, paths, measure}, commandLine, frmRules,
                 frmAbout, GameWindowLink{frmMain.HodnotaOtazky, [this] { showGame(); }}),
        terminationSignals([this](int) { frmIntro.UkonciProgram(); }) {
    useGamePictures();
    frmMain.ZobrazMenu = [this] { frmIntro.Show(); };
    // Whatever else ends the event loop, the display goes back before the program ends.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &connections, [this] { frmIntro.VratObrazovku(); });
  }

  void showGame() {
    frmMain.Show();
    Form* game = frmMain.form();
    if (!game) return;
    // Closing the game window through the window manager leaves the program as the exit
    // button does, without the farewell: the game stops, the display goes back.
    game->onCloseRequest = [this] {
      frmMain.Unload();
      frmIntro.UkonciProgram();
    };
  }

  QString commandLine;
  QtClock clock;
  std::unique_ptr<MtRandom> random;
  QtMessageBoxes boxes;
  QtTextMeasure measure;
  GamePaths paths;
  QtWindowSystem windows;
  MediaSystem media;
  QtMenuSound menuSound;
  std::unique_ptr<DisplayMode> display;
  FrmMain frmMain;
  InfoScreen frmRules;
  InfoScreen frmAbout;
  FrmIntro frmIntro;
  TerminationSignals terminationSignals;
  // Holds the connections to the application object: they end with these parts.
  QObject connections;
};

Application::Application(const QStringList& argumentsAfterProgram)
    : p_(std::make_unique<Parts>(argumentsAfterProgram)) {}

Application::~Application() { p_->frmIntro.VratObrazovku(); }

void Application::start() {
  Parts& p = *p_;
  p.frmIntro.Show();
  // The players are made, and the pictures of a scaled screen drawn, once the menu is on
  // screen, so they do not delay its first paint.
  if (Form* menu = p.frmIntro.form())
    if (FormView* view = p.windows.viewOf(*menu))
      view->afterFirstPaint([&p, view] {
        p.media.createAfterFirstPaint();
        drawPicturesAhead(view->sceneFit().pictureScale());
      });
}

}  // namespace kvz
