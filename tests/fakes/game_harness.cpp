#include "fakes/game_harness.h"

#include <stdexcept>

#include "game/round.h"
#include "questions/bank.h"
#include "questions/qst_test_files.h"

namespace kvz::fakes {

ZaznamOtazky GameHarness::stockQuestion(int step) {
  const QString n = QString::number(step);
  const QString right(QLatin1Char(kRight[static_cast<std::size_t>(step - 1)]));
  return {QStringLiteral("Otazka ") + n, n + "-A", n + "-B", n + "-C", n + "-D", right, 10, 70, 15, 5,
          QStringLiteral("Jana Novakova"), -1, static_cast<std::int16_t>(step), QStringLiteral("Q0") + n};
}

GameHarness::GameHarness(int steps) : GameHarness(std::filesystem::path(), 42) {
  for (int step = 1; step <= steps; ++step) writeQuestion(step, 1, stockQuestion(step));
}

GameHarness::GameHarness(const std::filesystem::path& dataDir, std::uint64_t seed)
    : random(seed), paths(dataDir.empty() ? std::filesystem::path(dir.path().toStdString()) : dataDir) {
  if (!dir.isValid()) throw std::runtime_error("no temporary folder");
  windows.boxes = &boxes;
  game = std::make_unique<FrmMain>(GameServices{clock, random, boxes, measure, paths, windows, music, effects, video});
  game->ZobrazMenu = [this] {
    menuShown.push_back(clock.nowMs());
    game->HodnotaOtazky = 0;  // as the start menu does when it loads
  };
}

void GameHarness::writeQuestion(int step, int number, const ZaznamOtazky& q) {
  const std::vector<std::uint8_t> bytes = testing::recordBytes(q);
  std::filesystem::create_directories(paths.questionDir());
  testing::writeFile(paths.questionDir() / questionFileName(step, number),
                     QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

Form& GameHarness::form() const {
  if (!game->form()) throw std::logic_error("the game window is not loaded");
  return *game->form();
}

void GameHarness::playTo(int level) {
  game->Show();
  while (true) {
    while (game->Zamceno && clock.step()) continue;  // the reveal
    const int at = game->HodnotaOtazky;
    if (at >= level) return;
    form().keyUp(rightKey(at));
    while (game->HodnotaOtazky == at && clock.step()) continue;
  }
}

QString GameHarness::gate() const {
  const bool open = !game->Zamceno;
  QStringList odd;
  const auto takes = [&](const Element& e, bool click) {
    if (e.enabled() != click || (e.pointer() == Pointer::Hand) != click) odd << e.name();
  };
  for (const round::Answer& a : round::kAnswers) {
    takes((*this)[a.plate], open && (*this)[a.text].visible());
    if (((*this)[a.text].pointer() == Pointer::Hand) != open) odd << QLatin1String(a.text);
  }
  for (const char* icon : round::kLifelineIcons) takes((*this)[icon], open && !(*this)[icon].picture().endsWith(QLatin1Char('x')));
  if (!odd.isEmpty()) return QStringLiteral("odd: ") + odd.join(QLatin1Char(' '));
  return open ? QStringLiteral("open") : QStringLiteral("locked");
}

}  // namespace kvz::fakes
