#include "fakes/game_harness.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace kvz::fakes {

// The texts are Windows-1250 bytes already; the game's own encoder lays out the record.
QByteArray questionBytes(const QuestionFields& q) {
  const auto text = [](const QByteArray& bytes) {
    return fromWindows1250({reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size())});
  };
  const ZaznamOtazky record{text(q.zadani), text(q.odp[0]), text(q.odp[1]), text(q.odp[2]), text(q.odp[3]),
                            text(q.spravna), q.divaci[0], q.divaci[1], q.divaci[2], q.divaci[3], text(q.autor),
                            q.korekce, q.hodnota, text(q.id)};
  const auto bytes = encodeRecord(record);
  if (!bytes) throw std::runtime_error("a test question that does not fit its record");
  return QByteArray(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
}

QuestionFields GameHarness::stockQuestion(int step) {
  QuestionFields q;
  const QByteArray n = QByteArray::number(step);
  q.zadani = "Otazka " + n;
  q.odp = {n + "-A", n + "-B", n + "-C", n + "-D"};
  q.spravna = QByteArray(1, kRight[static_cast<std::size_t>(step - 1)]);
  q.hodnota = static_cast<std::int16_t>(step);
  q.id = "Q0" + n;
  return q;
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

GameHarness::~GameHarness() = default;

QString GameHarness::writeFile(int step, int number, const QByteArray& bytes) {
  const QString root = QString::fromStdString(paths.dataDir().string());
  const QString name =
      QStringLiteral("%1/qst/%2-%3.qst").arg(root).arg(step, 2, 10, QLatin1Char('0')).arg(number, 3, 10, QLatin1Char('0'));
  QDir(root).mkpath(QStringLiteral("qst"));
  QFile file(name);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write " + name.toStdString());
  return name;
}

void GameHarness::removeQuestions() { QDir(QString::fromStdString((paths.dataDir() / "qst").string())).removeRecursively(); }

Form& GameHarness::form() const {
  if (!game->form()) throw std::logic_error("the game window is not loaded");
  return *game->form();
}

int GameHarness::rightKey(int level) { return kRight[static_cast<std::size_t>(level - 1)]; }

int GameHarness::wrongKey(int level) { return rightKey(level) == 'A' ? 'B' : 'A'; }

void GameHarness::finishReveal() {
  while (game->Zamceno && clock.step()) continue;
}

void GameHarness::answerRightAndGoOn() {
  const int level = game->HodnotaOtazky;
  form().keyUp(rightKey(level));
  while (game->HodnotaOtazky == level && clock.step()) continue;
  finishReveal();
}

void GameHarness::playTo(int level) {
  game->Show();
  finishReveal();
  while (game->HodnotaOtazky < level) answerRightAndGoOn();
}

QString GameHarness::gate() const {
  const FrmMain& g = *game;
  QStringList odd;
  const auto check = [&](const Element& e, bool takes, bool hand) {
    if (e.enabled() != takes || (e.pointer() == Pointer::Hand) != hand) odd << e.name();
  };
  for (const char* letter : {"A", "B", "C", "D"}) {
    const Element& text = (*this)[("lbl" + std::string(letter)).c_str()];
    const bool open = !g.Zamceno && (!g.Pouzito5050 || text.visible());
    check((*this)[("img" + std::string(letter)).c_str()], open, open);
    if ((text.pointer() == Pointer::Hand) == g.Zamceno) odd << text.name();
  }
  for (const auto& [icon, available] : {std::pair{"imgN5050", g.N5050}, {"imgNDiv", g.NDivaci}, {"imgNTel", g.NTelefon}})
    check((*this)[icon], !g.Zamceno && available, !g.Zamceno && available);
  if (!odd.isEmpty()) return QStringLiteral("odd: ") + odd.join(QLatin1Char(' '));
  return g.Zamceno ? QStringLiteral("locked") : QStringLiteral("open");
}

}  // namespace kvz::fakes
