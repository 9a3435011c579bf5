#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "game/frm_main.h"
#include "lifelines/durations.h"
#include "lifelines/graph.h"
#include "lifelines/phone_reply.h"

// The three lifelines of the game window: fifty-fifty, the audience poll and the phone call.
namespace kvz::lifelines {

// Ticks without a character after the last one, before a fully typed call ends.
inline constexpr int kIdleTicks = 4;

// The countdown video waits above the window between calls.
inline constexpr int kVideoParkedTop = -2500;

// What the lifelines reach of the game window: its elements and timers while it is loaded,
// the services, the input gate and the game values the lifelines read and write.
struct GameWindow {
  std::function<Form*()> form;  // null while the window is unloaded
  const GameServices& services;
  std::function<void()> Zamkni;
  std::function<void()> Odemkni;
  bool& N5050;
  bool& NTelefon;
  bool& NDivaci;
  bool& Pouzito5050;
  bool& PouzitoDivaci;
  const bool& Zamceno;
  const ZaznamOtazky& Otazka;
  const std::int16_t& HodnotaOtazky;
  std::int16_t& TelPocetZnaku;  // reset by every new question

  static GameWindow of(FrmMain& frm);
};

// The answers fifty-fifty removes (numbers 1..4): two different answers other than the right
// one; with a right letter that names no answer, any two different answers.
std::array<int, 2> drawRemovals(RandomSource& random, const QString& spravna);

// One bar of the audience graph: its caption, height and top.
struct Bar {
  QString caption;
  int height = 0;
  int top = kGraphBaseline;
};
// The graph of four stored shares; after a fifty-fifty, `visible` tells which answers are
// left and the removed answers' votes are shared out between them, the odd point going to
// the later letter. Captions show the numbers as they are; heights are clamped to what the
// window can show above the baseline, so a negative share gives a bar of height 0.
struct Graph {
  std::array<Bar, 4> bars;
};
Graph drawGraph(const std::array<std::int16_t, 4>& shares, const std::array<bool, 4>* visible);

class Lifelines {
public:
  explicit Lifelines(GameWindow window) : w_(std::move(window)) {}

  // Fifty-fifty.
  void imgN5050_Click();
  // Audience poll.
  void imgNDiv_Click();
  void tmrNDivaci_Timer();
  void ZobrazHlasovani();
  // Phone call.
  void imgNTel_Click();
  void PripravTelefonat();
  void tmrNTel1_Timer();
  void tmrNTel2_Timer();

  // The friend's reply of the current call; it outlives the loaded window, as the game
  // window's values do.
  PhoneTexts telefon;

private:
  Element& el(const char* name) const;
  Timer& tmr(const char* name) const;
  // Takes no more clicks and shows the plain arrow: a spent icon, a removed answer's plate.
  void makeInert(const char* name) const;
  // Lets pending window events run; false when they unloaded the window meanwhile or ran
  // the pick-up of the call already (the window's form, as it was before they ran).
  bool stillPickingUpAfterEvents(const Form* window);

  GameWindow w_;
};

}  // namespace kvz::lifelines
