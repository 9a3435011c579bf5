#include "assets/picture_texts.h"
#include "game/frm_main.h"
#include "game/round.h"
#include "game/spoken.h"

namespace kvz {

void FrmMain::tmrCastka_Timer() {
  // The texts stay hidden from the first winnings step until the next question shows them.
  for (const char* name : round::kTexts) el(name).setVisible(false);

  ++KrokCastky;
  Timer& timer = tmr("tmrCastka");
  if (KrokCastky == 1) {
    SkryjHlasovani();
    el("Shape1").setVisible(true);
    el("imgVyhra").setVisible(true);
    el("imgVyhra").setPicture(round::levelBitmap('C', HodnotaOtazky));
    timer.setInterval(round::kWinningsGoOnMs);
    if (DuvodKonce == round::kKonecEsc || DuvodKonce == round::kKonecSpatna) timer.setInterval(round::kWinningsEndMs);
    if (HodnotaOtazky == kPlayedSteps) DuvodKonce = round::kKonec5Ot;
    if (DuvodKonce == round::kKonec5Ot) timer.setInterval(round::kWinningsTopMs);
    form_->announce(spoken::winnings(spokenName(el("imgVyhra")), !DuvodKonce.isEmpty()));
  } else if (KrokCastky == 2) {
    el("Shape1").setVisible(false);
    el("imgVyhra").setVisible(false);
    timer.setEnabled(false);
    if (DuvodKonce.isEmpty())
      NovaOtazka();
    else
      konecHry();
  }
}

void FrmMain::UkonciHru() {
  const auto answer = ukazBox(QStringLiteral("Opravdu chcete ukončit tuto hru ??"), QStringLiteral("potvrzení"),
                              MsgIcon::Question, MsgButtons::YesNo);
  if (answer != MsgResult::Yes) return;
  // Nothing more may be asked of a game being left: no second Esc, no pick, no lifeline
  // while the kept amount is shown.
  Zamkni();
  HodnotaOtazky = static_cast<std::int16_t>(HodnotaOtazky - 1);
  tmr("tmrCastka").setEnabled(true);
  DuvodKonce = round::kKonecEsc;
  tmrCastka_Timer();
  s_.music.stop();
}

}  // namespace kvz
