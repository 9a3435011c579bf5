#include "assets/picture_texts.h"
#include "game/frm_main.h"
#include "game/round.h"
#include "game/spoken.h"
#include "lifelines/lifelines.h"

namespace kvz {

// The plate and the text of one answer do the same; both refuse while input is locked.
void FrmMain::pick(const QString& letter) {
  if (Zamceno) return;
  ZvolenaOdpoved = letter;
  ZvyrazniVolbu();
}

void FrmMain::imgA_Click() { pick(QStringLiteral("A")); }
void FrmMain::imgB_Click() { pick(QStringLiteral("B")); }
void FrmMain::imgC_Click() { pick(QStringLiteral("C")); }
void FrmMain::imgD_Click() { pick(QStringLiteral("D")); }
void FrmMain::lblA_Click() { pick(QStringLiteral("A")); }
void FrmMain::lblB_Click() { pick(QStringLiteral("B")); }
void FrmMain::lblC_Click() { pick(QStringLiteral("C")); }
void FrmMain::lblD_Click() { pick(QStringLiteral("D")); }

void FrmMain::ZvyrazniVolbu() {
  if (const round::Answer* a = round::answerOf(ZvolenaOdpoved)) {
    el(a->plate).setPicture(QLatin1String(a->picked));
    form_->announce(spoken::pick(spokenName(el(a->text))));
  }
  Zamkni();
  VyhodnotOdpoved();
}

void FrmMain::Form_KeyUp(int keyCode, int /*shift*/) {
  // Each key has one row; a letter key picks only an answer whose text is shown.
  if (keyCode == vk::A && el("lblA").visible()) lblA_Click();
  if (keyCode == vk::B && el("lblB").visible()) lblB_Click();
  if (keyCode == vk::C && el("lblC").visible()) lblC_Click();
  if (keyCode == vk::D && el("lblD").visible()) lblD_Click();
  if (keyCode == vk::F5 && N5050) imgN5050_Click();
  if (keyCode == vk::F6 && NTelefon) imgNTel_Click();
  if (keyCode == vk::F7 && NDivaci) imgNDiv_Click();
  if (keyCode == vk::F10 && !Zamceno) InfoOOtazce();
  if (keyCode == vk::Escape && !Zamceno) UkonciHru();
}

void FrmMain::imgN5050_Click() { lifelines_->imgN5050_Click(); }
void FrmMain::imgNTel_Click() { lifelines_->imgNTel_Click(); }
void FrmMain::imgNDiv_Click() { lifelines_->imgNDiv_Click(); }

}  // namespace kvz
