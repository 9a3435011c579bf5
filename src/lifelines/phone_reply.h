#pragma once

#include <QString>
#include <array>

#include "platform/random.h"
#include "questions/record.h"

// The friend's side of the phone call: the transcript the call types out, composed in one
// step from the question, the screen and the random source, without any window.
namespace kvz::lifelines {

// What the composition reads.
struct PhoneInputs {
  const ZaznamOtazky& otazka;
  int level = 1;                       // HodnotaOtazky
  bool fiftyFifty = false;             // Pouzito5050
  std::array<bool, 4> visible{true, true, true, true};  // lblA..lblD shown
};

// The values the composition writes. They live as long as the game window; a later
// composition starts from what an earlier one left.
struct PhoneTexts {
  QString TelOtazka;
  QString TelMoznosti;
  QString TipPritele;
  QString TipPritele2;
  QString OdpovedPritele;
  QString TelVypis;
  int reply = 0;  // the number (1..50) of the accepted reply
};

// Composes the call: every value above, TelVypis last. Ends in bounded time whatever the
// shares hold.
void composeCall(const PhoneInputs& in, RandomSource& random, PhoneTexts& texts);

}  // namespace kvz::lifelines
