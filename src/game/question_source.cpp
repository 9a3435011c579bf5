#include <QDir>

#include "game/frm_main.h"
#include "game/round.h"
#include "questions/bank.h"

namespace kvz {

namespace {

const QString kTitle = QStringLiteral("Kvizarion");

QString pathText(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

QString noQuestionMessage(int step, const std::filesystem::path& folder) {
  return QStringLiteral(
             "Nenašel jsem žádnou použitelnou otázku pro %1. otázku hry.\r\n\r\n"
             "Ve složce %2 mají být soubory %3 až %4 (každý o %5 bajtech).")
      .arg(step)
      .arg(pathText(folder), QString::fromStdString(questionFileName(step, 1)),
           QString::fromStdString(questionFileName(step, kFilesPerStep)))
      .arg(kRecordSize);
}

QString unreadableMessage(int step, const std::filesystem::path& file) {
  return QStringLiteral(
             "Otázku pro %1. otázku hry se nepodařilo přečíst.\r\n\r\n"
             "Soubor %2 nejde otevřít nebo je kratší než %3 bajtů.")
      .arg(step)
      .arg(pathText(file))
      .arg(kRecordSize);
}

}  // namespace

bool FrmMain::nactiOtazku() {
  const QuestionBank bank(s_.paths.questionDir());
  const std::optional<std::filesystem::path> file = bank.choose(HodnotaOtazky, s_.random);
  if (!file) {
    hraBezOtazky(noQuestionMessage(HodnotaOtazky, bank.folder()));
    return false;
  }
  // The file was usable a moment ago, but it may have gone or shrunk since.
  std::optional<ZaznamOtazky> record = readQuestion(*file);
  if (!record) {
    hraBezOtazky(unreadableMessage(HodnotaOtazky, *file));
    return false;
  }
  SouborOtazky = pathText(*file);
  Otazka = std::move(*record);
  return true;
}

void FrmMain::hraBezOtazky(const QString& message) {
  // Nothing of the previous question may stand for this one: not its texts, not its letter.
  SouborOtazky.clear();
  Otazka = ZaznamOtazky{};
  for (const char* name : round::kTexts) {
    el(name).setVisible(false);
    el(name).setCaption(QString());
  }
  s_.music.stop();
  if (!ukazBox(message, kTitle, MsgIcon::Information, MsgButtons::Ok)) return;
  // The menu comes back once the running handler (perhaps the menu's own) has returned.
  tmrNavrat_->setEnabled(true);
}

void FrmMain::konecHry() {
  // Whatever was playing (an effect, the phone's ringing, the video) stops with the game,
  // as it does when the window is closed.
  ztisPrehravace();
  odejdi(true);
}

}  // namespace kvz
