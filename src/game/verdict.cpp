#include "assets/picture_texts.h"
#include "game/frm_main.h"
#include "game/round.h"
#include "game/spoken.h"

namespace kvz {

void FrmMain::VyhodnotOdpoved() {
  SpravnaOdpoved = Otazka.Spravna == ZvolenaOdpoved;
  tmr("tmrZvuk").setInterval(round::suspenseMs(HodnotaOtazky));
  tmr("tmrZvuk").setEnabled(true);
}

void FrmMain::tmrZvuk_Timer() {
  // The fifth right answer and every wrong one end the game: the music stops with the sound.
  const bool top = HodnotaOtazky >= kPlayedSteps;
  const char* sound = !SpravnaOdpoved ? round::kSoundWrong : top ? round::kSoundTop : round::kSoundRight;
  s_.effects.setFile(s_.paths.fileName(sound));
  s_.effects.play();
  if (!SpravnaOdpoved || top) s_.music.stop();
  const round::Answer* rightAnswer = round::answerOf(Otazka.Spravna);
  form_->announce(spoken::verdict(SpravnaOdpoved, rightAnswer ? spokenName(el(rightAnswer->text)) : QString()));

  if (SpravnaOdpoved) {
    tmr("tmrBlik").setEnabled(true);
    tmrBlik_Timer();
  } else {
    // The pick stays orange beside the right plate in green; a letter that names no
    // answer turns nothing green.
    if (const round::Answer* right = round::answerOf(Otazka.Spravna))
      el(right->plate).setPicture(QLatin1String(right->right));
    HodnotaOtazky = 0;
    DuvodKonce = round::kKonecSpatna;
    tmr("tmrCastka").setInterval(round::kAfterWrongMs);
    tmr("tmrCastka").setEnabled(true);
  }

  tmr("tmrZvuk").setEnabled(false);
}

void FrmMain::tmrBlik_Timer() {
  ++KrokBliku;
  // A right pick always names an answer; the guard only keeps the lookup safe.
  const round::Answer* right = round::answerOf(Otazka.Spravna);
  const auto paint = [&](bool green) {
    if (right) el(right->plate).setPicture(QLatin1String(green ? right->right : right->picked));
  };
  switch (KrokBliku) {
    case 1: paint(true); break;
    case 2: paint(false); break;
    case 3:
      paint(true);
      tmr("tmrBlik").setEnabled(false);
      tmr("tmrCastka").setInterval(round::kAfterRightMs);
      tmr("tmrCastka").setEnabled(true);
      break;
    default: break;
  }
}

}  // namespace kvz
