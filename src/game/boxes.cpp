#include "game/frm_main.h"

namespace kvz {

std::optional<MsgResult> FrmMain::ukazBox(const QString& text, const QString& title, MsgIcon icon,
                                          MsgButtons buttons) {
  const std::uint64_t hra = hra_;
  ++otevreneBoxy_;
  const MsgResult answer = s_.boxes.show(text, title, icon, buttons);
  --otevreneBoxy_;
  if (otevreneBoxy_ == 0 && odlozenyOdchod_ != Odchod::Zadny) {
    const bool menu = odlozenyOdchod_ == Odchod::Menu;
    odlozenyOdchod_ = Odchod::Zadny;
    odejdi(menu);
  }
  if (!form_ || hra != hra_) return std::nullopt;
  return answer;
}

void FrmMain::ztisPrehravace() {
  s_.music.stop();
  s_.effects.stop();
  s_.video.stop();
}

void FrmMain::odejdi(bool zobrazMenu) {
  if (!form_) return;
  tmrNavrat_->setEnabled(false);
  if (otevreneBoxy_ > 0) {
    // A handler of this window waits in the box: the window stays until it has returned,
    // with nothing of the game running on and the box closed at once.
    for (const auto& [name, timer] : form_->timers()) timer->setEnabled(false);
    if (odlozenyOdchod_ != Odchod::Zavrit) odlozenyOdchod_ = zobrazMenu ? Odchod::Menu : Odchod::Zavrit;
    s_.boxes.dismiss();
    return;
  }
  if (zobrazMenu && ZobrazMenu) ZobrazMenu();
  s_.windows.unload(std::move(form_));
}

}  // namespace kvz
