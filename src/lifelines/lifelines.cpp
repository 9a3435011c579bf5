#include "lifelines/lifelines.h"

namespace kvz::lifelines {

GameWindow GameWindow::of(FrmMain& frm) {
  return GameWindow{
      [&frm] { return frm.form(); },
      frm.services(),
      [&frm] { frm.Zamkni(); },
      [&frm] { frm.Odemkni(); },
      frm.N5050,
      frm.NTelefon,
      frm.NDivaci,
      frm.Pouzito5050,
      frm.PouzitoDivaci,
      frm.Zamceno,
      frm.Otazka,
      frm.HodnotaOtazky,
      frm.TelPocetZnaku,
  };
}

Element& Lifelines::el(const char* name) const { return (*w_.form())[QLatin1String(name)]; }

Timer& Lifelines::tmr(const char* name) const { return w_.form()->timer(QLatin1String(name)); }

void Lifelines::makeInert(const char* name) const {
  el(name).setEnabled(false);
  el(name).setPointer(Pointer::Arrow);
}

}  // namespace kvz::lifelines
