#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/clock.h"
#include "platform/form.h"
#include "platform/media.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/text_measure.h"
#include "platform/windows.h"
#include "questions/record.h"

namespace kvz {

namespace lifelines {
class Lifelines;
}

// What the game window needs from the rest of the program.
struct GameServices {
  Clock& clock;
  RandomSource& random;
  MessageBoxes& boxes;
  const TextMeasure& measure;
  const GamePaths& paths;
  WindowSystem& windows;
  MediaBackend& music;    // WMP1
  MediaBackend& effects;  // WMP2
  MediaBackend& video;    // WMP3
};

// The game window: one object for the whole run of the program. Its form (elements and
// timers) is made at every Show() and discarded at the end of each game; the values below
// outlive it, which is why the load and NovaOtazka reset what a new game must not inherit.
class FrmMain {
public:
  explicit FrmMain(GameServices services);
  ~FrmMain();
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  // Loads the window (the first question) and shows it. Never calls ZobrazMenu before it
  // returns: a game that cannot start ends a moment later, from the event loop.
  void Show();
  // The loaded window, null while unloaded.
  Form* form() const { return form_.get(); }
  // Unloads the window as it stands, silencing its players (the shell uses it when the
  // window manager closes the game window). Does nothing while unloaded.
  void Unload();

  // Public values of the window; other windows read and write them.
  bool N5050 = true, NTelefon = true, NDivaci = true;
  std::int16_t HodnotaOtazky = 0;
  // Shows the start menu again at the end of a game (set by the shell; not modal).
  std::function<void()> ZobrazMenu;

  // Load and question cycle.
  void Form_Load();
  void NovaOtazka();
  void SkryjHlasovani();

  // Presentation and the input gate.
  void RozmistiZadani();
  void tmrZobrazeniOtazky_Timer();
  void Odemkni();
  void Zamkni();

  // Answer selection and keys.
  void imgA_Click();
  void imgB_Click();
  void imgC_Click();
  void imgD_Click();
  void lblA_Click();
  void lblB_Click();
  void lblC_Click();
  void lblD_Click();
  void Form_KeyUp(int keyCode, int shift);
  void ZvyrazniVolbu();

  // Lifelines: wired to their icons and keys; the lifelines part carries them out.
  void imgN5050_Click();
  void imgNTel_Click();
  void imgNDiv_Click();

  // Verdict.
  void VyhodnotOdpoved();
  void tmrZvuk_Timer();
  void tmrBlik_Timer();

  // Winnings and end of game.
  void tmrCastka_Timer();
  void UkonciHru();

  // Question information boxes.
  void InfoOOtazce();
  void imgLogo_DblClick();

  // Game state (read by the lifelines and by tests).
  QString SouborOtazky;
  ZaznamOtazky Otazka;
  bool Pouzito5050 = false;
  bool PouzitoDivaci = false;
  bool Zamceno = false;
  QString ZvolenaOdpoved;
  bool SpravnaOdpoved = false;
  std::int16_t KrokBliku = 0;
  std::int16_t KrokCastky = 0;
  std::int16_t KrokZobrazeni = 0;
  std::int16_t TelPocetZnaku = 0;
  QString DuvodKonce;

  const GameServices& services() const { return s_; }
  // The lifelines and their working values (they outlive the loaded window).
  lifelines::Lifelines& lifelines() const { return *lifelines_; }

private:
  Element& el(const char* name) const;
  Timer& tmr(const char* name) const;
  void wireHandlers();
  void pick(const QString& letter);
  // Shows a text of the reveal and tells a screen reader what it says.
  void odhal(const char* name);
  // Steps of NovaOtazka that choose and read the question; false when there is none.
  bool nactiOtazku();
  // The way out when a step has no usable question: tell the player, then back to the menu.
  void hraBezOtazky(const QString& message);
  // The game is over: every player silent, the start menu back, this window unloaded.
  void konecHry();
  // Shows a modal box over this window. The window's timers run on while it is open, so the
  // game may end under it: the end then closes the box and the window goes only once the
  // box has returned. The answer, or nullopt when the game that opened the box is over: the
  // caller then touches nothing.
  std::optional<MsgResult> ukazBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons);
  void ztisPrehravace();
  // Unloads the window, or, while a box is open over it, once that box has returned.
  void odejdi(bool zobrazMenu);

  GameServices s_;
  std::unique_ptr<Form> form_;
  // Ends a game that cannot go on once the running handler has returned.
  std::unique_ptr<Timer> tmrNavrat_;
  std::unique_ptr<lifelines::Lifelines> lifelines_;
  // Counts the games: a handler resumed after a box checks that its game is still on.
  std::uint64_t hra_ = 0;
  // Boxes open over this window, and how it leaves once they are closed.
  int otevreneBoxy_ = 0;
  enum class Odchod { Zadny, Menu, Zavrit };
  Odchod odlozenyOdchod_ = Odchod::Zadny;
};

}  // namespace kvz
