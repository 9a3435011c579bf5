#include "assets/picture_texts.h"
#include "game/frm_main.h"
#include "game/round.h"
#include "platform/timing_log.h"

namespace kvz {

namespace {

void layOut(Element& label, const Element& plate, int top, int height, bool wrap) {
  Look look = label.look();
  look.align = Align::Center;
  look.wordWrap = wrap;
  label.setLook(look);
  label.setHeight(height);
  label.setWidth(round::kZadaniWidth);
  label.setTop(top);
  label.setLeft((plate.geometry().width - label.geometry().width) / 2);
}

}  // namespace

void FrmMain::RozmistiZadani() {
  Element& label = el("lblZadani");
  const Element& plate = el("imgZadani");
  // Automatic sizing: the label takes the width of its caption written on one line.
  label.setWidth(s_.measure.widthTwips(label.caption(), label.look().font));
  // Two tests, not if/else: the second reads the width again, which the one-line layout has
  // just set to the threshold itself, so a text laid out on one line never gets two.
  if (label.geometry().width <= round::kZadaniWidth)
    layOut(label, plate, round::kOneLineTop, round::kOneLineHeight, false);
  if (label.geometry().width > round::kZadaniWidth)
    layOut(label, plate, round::kTwoLinesTop, round::kTwoLinesHeight, true);
  // From here the label keeps the size just set and wraps within it.
}

void FrmMain::tmrZobrazeniOtazky_Timer() {
  ++KrokZobrazeni;
  switch (KrokZobrazeni) {
    case 1: odhal("lblZadani"); break;
    case 2: break;  // a pause between the question and its first answer
    case 3: odhal("lblA"); break;
    case 4: odhal("lblB"); break;
    case 5: odhal("lblC"); break;
    case 6:
      odhal("lblD");
      Odemkni();
      tmr("tmrZobrazeniOtazky").setEnabled(false);
      break;
    default: break;
  }
}

void FrmMain::odhal(const char* name) {
  Element& text = el(name);
  text.setVisible(true);
  form_->announce(spokenName(text));
}

void FrmMain::Odemkni() {
  Zamceno = false;
  timingMark(QStringLiteral("input open"));  // whole-program checks wait for it before they pick

  // After fifty-fifty only the answers whose text is still shown may be picked.
  bool open[4];
  for (std::size_t i = 0; i < round::kAnswers.size(); ++i)
    open[i] = !Pouzito5050 || el(round::kAnswers[i].text).visible();

  for (const round::Answer& a : round::kAnswers) el(a.text).setPointer(Pointer::Hand);
  for (std::size_t i = 0; i < round::kAnswers.size(); ++i)
    el(round::kAnswers[i].plate).setPointer(open[i] ? Pointer::Hand : Pointer::Arrow);

  for (const round::Answer& a : round::kAnswers) el(a.plate).setPicture(QLatin1String(a.normal));

  for (std::size_t i = 0; i < round::kAnswers.size(); ++i) el(round::kAnswers[i].plate).setEnabled(open[i]);

  const std::pair<bool, const char*> lifelines[] = {{N5050, "imgN5050"}, {NDivaci, "imgNDiv"}, {NTelefon, "imgNTel"}};
  for (const auto& [available, icon] : lifelines) {
    el(icon).setPointer(available ? Pointer::Hand : Pointer::Arrow);
    el(icon).setEnabled(available);
  }

  if (Pouzito5050) return;
  for (const round::Answer& a : round::kAnswers) el(a.text).setVisible(true);
}

void FrmMain::Zamkni() {
  Zamceno = true;
  timingMark(QStringLiteral("input locked"));
  for (const round::Answer& a : round::kAnswers) {
    el(a.plate).setPointer(Pointer::Arrow);
    el(a.text).setPointer(Pointer::Arrow);
  }
  for (const round::Answer& a : round::kAnswers) el(a.plate).setEnabled(false);
  for (const char* icon : round::kLifelineIcons) el(icon).setPointer(Pointer::Arrow);
  for (const char* icon : round::kLifelineIcons) el(icon).setEnabled(false);
}

}  // namespace kvz
