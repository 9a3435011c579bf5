#include "shell/frm_intro.h"

#include <algorithm>
#include <limits>

#include "assets/layout_intro.h"
#include "assets/media_files.h"
#include "platform/scene_scale.h"
#include "shell/command_line.h"
#include "shell/fit_texts.h"

namespace kvz {
namespace {

std::int16_t toInt16(int pixels) {
  return static_cast<std::int16_t>(
      std::clamp<int>(pixels, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

FrmIntro::FrmIntro(ShellServices services, QString commandLine, InfoScreen& frmRules, InfoScreen& frmAbout,
                   GameWindowLink frmMain)
    : s_(services),
      commandLine_(std::move(commandLine)),
      frmRules_(frmRules),
      frmAbout_(frmAbout),
      frmMain_(std::move(frmMain)),
      tmrNacitani_(services.clock, 0, false) {
  tmrNacitani_.onTick = [this] {
    tmrNacitani_.setEnabled(false);
    otevriHru();
  };
}

void FrmIntro::Show() {
  if (form_) {
    s_.windows.show(*form_);
    return;
  }
  form_ = makeFrmIntro();
  fitTexts(*form_, s_.measure);
  wireHandlers();
  // The window system places only a window it shows, so the load runs right after the
  // showing, before the window is first painted.
  s_.windows.show(*form_);
  Form_Load();
}

void FrmIntro::wireHandlers() {
  Form& f = *form_;
  f[QStringLiteral("imgNova")].onClick = [this] { imgNova_Click(); };
  f[QStringLiteral("imgPrav")].onClick = [this] { imgPrav_Click(); };
  f[QStringLiteral("imgAbout")].onClick = [this] { imgAbout_Click(); };
  f[QStringLiteral("imgKonec")].onClick = [this] { imgKonec_Click(); };
  // Closing the menu through the window manager leaves the program, display restored.
  f.onCloseRequest = [this] { UkonciProgram(); };
}

void FrmIntro::Form_Load() {
  const QString text = commandLine_;
  if (!isNoFullscreen(text) && !Spusteno) PrepniObrazovku();
  s_.windows.moveWindow(*form_, 0, 0);
  Spusteno = true;
  frmMain_.HodnotaOtazky = 0;
}

void FrmIntro::PrepniObrazovku() {
  // Zeroed first: a screen left unmeasured gives the restore 0 x 0, a size no display
  // offers, so the exit then leaves the display as it is.
  sirka = 0;
  vyska = 0;
  // Several monitors: a mode change of the whole screen would rearrange them; the game
  // shows scaled on its own monitor instead, and nothing is restored.
  if (s_.display.activeMonitors() > 1) return;
  const ScreenSize screen = s_.display.current();
  sirka = toInt16(screen.width);
  vyska = toInt16(screen.height);
  ZmenRozliseni(s_.display, kSceneWidth, kSceneHeight);
}

bool FrmIntro::prijimaVstup() const {
  return form_ && !nacitani_ && !frmRules_.isOpen() && !frmAbout_.isOpen();
}

void FrmIntro::imgNova_Click() {
  if (!prijimaVstup()) return;
  // Locked before the events run, so a second click already queued finds the menu busy.
  nacitani_ = true;
  (*form_)[QStringLiteral("shpLoading")].setVisible(true);
  (*form_)[QStringLiteral("lblLoading")].setVisible(true);
  s_.windows.processEvents();
  const int lengthMs = std::clamp(s_.sound.play(s_.paths.fileName(media::kMenuSound)), 0, kMenuSoundLimitMs);
  if (lengthMs == 0) {
    otevriHru();
    return;
  }
  // The sound plays to its end while the window keeps painting and swallows the clicks.
  tmrNacitani_.setInterval(lengthMs);
  tmrNacitani_.setEnabled(true);
}

void FrmIntro::otevriHru() {
  if (form_) {
    // The game window's load lets pending events run while the menu is still loaded: the
    // menu stays busy until it is unloaded, or a click there would open a screen over a
    // window about to go, or start a second game.
    frmMain_.Show();
    (*form_)[QStringLiteral("shpLoading")].setVisible(false);
    (*form_)[QStringLiteral("lblLoading")].setVisible(false);
    s_.windows.unload(std::move(form_));
  }
  nacitani_ = false;
}

void FrmIntro::imgPrav_Click() {
  if (prijimaVstup()) frmRules_.Show(*form_);
}

void FrmIntro::imgAbout_Click() {
  if (prijimaVstup()) frmAbout_.Show(*form_);
}

QString FrmIntro::TitulekRozlouceni() { return QStringLiteral("Kvizarion"); }

QString FrmIntro::TextRozlouceni() {
  // This game has no web page, so the sentence that would name one reads without it.
  return QStringLiteral(
      "Děkujeme za hru !!\r\n"
      "\r\n"
      "Navštivte naše internetové stránky a vyplňte krátký dotazník, prosím.\r\n"
      "Velmi nám tím pomůžete při dalším vývoji hry.\r\n"
      "\r\n"
      "Navíc na nich naleznete aktuální informace o připravované plné verzi.");
}

void FrmIntro::imgKonec_Click() {
  if (!prijimaVstup()) return;
  s_.boxes.show(TextRozlouceni(), TitulekRozlouceni(), MsgIcon::Information, MsgButtons::Ok);
  UkonciProgram();
}

void FrmIntro::UkonciProgram() {
  tmrNacitani_.setEnabled(false);
  nacitani_ = false;
  VratObrazovku();
  s_.windows.processEvents();
  s_.windows.quit();
}

void FrmIntro::VratObrazovku() {
  if (obrazovkaVracena_ || !Spusteno || isNoFullscreen(commandLine_)) return;
  obrazovkaVracena_ = true;
  ZmenRozliseni(s_.display, sirka, vyska);
}

}  // namespace kvz
