#include <cmath>

#include "assets/media_files.h"
#include "game/spoken.h"
#include "game/round.h"
#include "lifelines/lifelines.h"
#include "platform/timing_log.h"

namespace kvz::lifelines {

namespace {
// A call that typed its whole transcript ends this many ticks after the length: the tick of
// the last character is followed by four that add nothing, then the ending one.
constexpr int kTicksPastText = kIdleTicks + 1;

int centred(int outer, int outerSize, int innerSize) {
  return outer + static_cast<int>(std::lround((outerSize - innerSize) * 0.5));
}
}  // namespace

void Lifelines::imgNTel_Click() {
  if (w_.Zamceno) return;
  timingMark(QStringLiteral("call click"));
  el("imgNTel").setPicture(QStringLiteral("N-telx"));
  w_.NTelefon = false;
  w_.Zamkni();
  PripravTelefonat();
  makeInert("imgNTel");
}

void Lifelines::PripravTelefonat() {
  PhoneInputs in{w_.Otazka, w_.HodnotaOtazky, w_.Pouzito5050, {}};
  for (std::size_t i = 0; i < 4; ++i) in.visible[i] = el(round::kAnswers[i].text).visible();
  composeCall(in, w_.services.random, telefon);

  w_.services.music.stop();
  w_.services.effects.setFile(w_.services.paths.fileName(media::kSoundPhone));
  w_.services.effects.play();
  tmr("tmrNTel1").setEnabled(true);
}

void Lifelines::tmrNTel1_Timer() {
  Timer& phase = tmr("tmrNTel1");
  if (phase.interval() == kCallLongestMs) {
    // End of the call: typed out, or cut off after thirty seconds.
    timingMark(QStringLiteral("call end %1").arg(w_.TelPocetZnaku));
    phase.setInterval(kCallReturnMs);
    phase.setEnabled(true);
    tmr("tmrNTel2").setEnabled(false);
    el("txtNTelVypis").setVisible(false);
    w_.form()->announce(spoken::friendsReply(el("txtNTelVypis").caption()));
    w_.services.video.stop();
    el("WMP3").setTop(kVideoParkedTop);
    el("Shape1").setVisible(false);
    el("Shape2").setVisible(false);
    if (!w_.PouzitoDivaci) el("imgLogo").setVisible(true);
  } else if (phase.interval() == kCallReturnMs) {
    timingMark(QStringLiteral("call return"));
    phase.setEnabled(false);
    w_.services.music.setFile(w_.services.paths.fileName(media::kMusic));
    w_.services.music.play();
    w_.Odemkni();
  } else {
    // Pick-up: the call screen is painted before typing starts. The input lock keeps the
    // events run here from choosing anything, but a box they open (the logo's double click)
    // lets this timer tick again under it; so after each run the pick-up goes on only while
    // its window is loaded and the call still waits for it.
    timingMark(QStringLiteral("call pick-up %1").arg(telefon.TelVypis.size()));
    const Form* const window = w_.form();
    el("Shape2").setVisible(true);
    w_.services.video.play();
    if (!stillPickingUpAfterEvents(window)) return;
    Element& video = el("WMP3");
    const Rect logo = el("imgLogo").geometry();
    const Rect player = video.geometry();
    video.move(centred(logo.left, logo.width, player.width), centred(logo.top, logo.height, player.height));
    if (!stillPickingUpAfterEvents(window)) return;
    el("Shape1").setVisible(true);
    el("txtNTelVypis").setVisible(true);
    if (!stillPickingUpAfterEvents(window)) return;
    tmr("tmrNTel1").setInterval(kCallLongestMs);
    tmr("tmrNTel2").setEnabled(true);
  }
}

bool Lifelines::stillPickingUpAfterEvents(const Form* window) {
  w_.services.windows.processEvents();
  if (w_.form() != window) return false;
  const int phase = tmr("tmrNTel1").interval();
  return phase != kCallLongestMs && phase != kCallReturnMs;
}

void Lifelines::tmrNTel2_Timer() {
  w_.TelPocetZnaku = static_cast<std::int16_t>(w_.TelPocetZnaku + 1);
  const int count = w_.TelPocetZnaku;
  const QString& text = telefon.TelVypis;
  if (count >= 1 && count <= text.size()) {
    Element& panel = el("txtNTelVypis");
    panel.setCaption(panel.caption() + text[count - 1]);
    if (count == 1 || count == text.size()) timingMark(QStringLiteral("call typed %1").arg(count));
  }
  if (count < text.size() + kTicksPastText) return;

  w_.services.effects.stop();
  w_.services.effects.setFile(w_.services.paths.fileName(media::kSoundPhoneEnd));
  w_.services.effects.play();
  Timer& phase = tmr("tmrNTel1");
  phase.setEnabled(false);
  phase.setInterval(kCallLongestMs);
  tmrNTel1_Timer();
  tmr("tmrNTel2").setEnabled(false);
}

}  // namespace kvz::lifelines
