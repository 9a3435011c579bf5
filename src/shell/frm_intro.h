#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/clock.h"
#include "platform/form.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/text_measure.h"
#include "platform/windows.h"
#include "shell/display_mode.h"
#include "shell/info_screen.h"
#include "shell/menu_sound.h"

namespace kvz {

// The longest the menu waits for its sound, whatever the file claims: a damaged length
// must not leave the menu locked.
inline constexpr int kMenuSoundLimitMs = 30000;

// What the start menu needs from the rest of the program.
struct ShellServices {
  Clock& clock;
  WindowSystem& windows;
  MessageBoxes& boxes;
  DisplayMode& display;
  MenuSound& sound;
  const GamePaths& paths;
  const TextMeasure& measure;
};

// What the start menu needs from the game window: its level, reset at every load of the
// menu, and the way to show it.
struct GameWindowLink {
  std::int16_t& HodnotaOtazky;
  std::function<void()> Show;
};

// The start menu frmIntro: one object for the whole run. Its form is made at every Show()
// and discarded when a game starts; the variables below outlive it.
class FrmIntro {
public:
  FrmIntro(ShellServices services, QString commandLine, InfoScreen& frmRules, InfoScreen& frmAbout,
           GameWindowLink frmMain);
  FrmIntro(const FrmIntro&) = delete;
  FrmIntro& operator=(const FrmIntro&) = delete;

  // Loads the menu (its load handler) and shows it; while it is loaded, only shows it.
  void Show();
  Form* form() const { return form_.get(); }

  void Form_Load();
  void PrepniObrazovku();
  void imgNova_Click();
  void imgPrav_Click();
  void imgAbout_Click();
  void imgKonec_Click();

  // Every orderly end of the program goes here: the display is set back (once), then the
  // program ends. The exit button, closing a window through the window manager and the
  // termination signals all reach it.
  void UkonciProgram();
  // Sets the display back to the size found at start; does so once, and only when the
  // display was taken over.
  void VratObrazovku();

  // The farewell box's text and title.
  static QString TextRozlouceni();
  static QString TitulekRozlouceni();

  std::int16_t sirka = 0;
  std::int16_t vyska = 0;
  bool Spusteno = false;

private:
  // Steps of new game after the menu sound has ended.
  void otevriHru();
  // The menu's buttons answer only when no screen is over it and no game is loading.
  bool prijimaVstup() const;
  void wireHandlers();

  ShellServices s_;
  QString commandLine_;
  InfoScreen& frmRules_;
  InfoScreen& frmAbout_;
  GameWindowLink frmMain_;
  std::unique_ptr<Form> form_;
  Timer tmrNacitani_;
  // True from the click on new game until the menu is unloaded: the menu takes no input.
  bool nacitani_ = false;
  bool obrazovkaVracena_ = false;
};

}  // namespace kvz
