#include "game/frm_main.h"
#include "game/round.h"

namespace kvz {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString korekce(const ZaznamOtazky& q) {
  return q.korekceProvedena() ? QStringLiteral("provedena") : QStringLiteral("neprovedena");
}

}  // namespace

// The author and the identifier are shown at their stored width, trailing blanks and all.
void FrmMain::InfoOOtazce() {
  const QString text = QStringLiteral("hodnota: ") + round::twoDigits(Otazka.Hodnota) + kCrLf +
                       QStringLiteral("ID: ") + Otazka.ID + kCrLf +
                       QStringLiteral("autor: ") + Otazka.Autor + kCrLf +
                       QStringLiteral("korekce: ") + korekce(Otazka);
  ukazBox(text, QStringLiteral("QST infobox"), MsgIcon::Information, MsgButtons::Ok);
}

// Not behind the input lock: the logo answers whenever it is shown.
void FrmMain::imgLogo_DblClick() {
  const QString text = SouborOtazky + kCrLf + kCrLf +
                       QStringLiteral("autor: ") + Otazka.Autor + kCrLf +
                       QStringLiteral("korekce ") + korekce(Otazka);
  ukazBox(text, QStringLiteral("= info o otázce ="), MsgIcon::Information, MsgButtons::Ok);
}

}  // namespace kvz
