#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <memory>

#include "fakes/fakes.h"
#include "game/frm_main.h"
#include "platform/paths.h"
#include "platform/random.h"

namespace kvz::fakes {

// One question as an author would store it. Texts are raw Windows-1250 bytes, padded with
// blanks to their width when written; nothing here is checked, so tests can store bad data.
struct QuestionFields {
  QByteArray zadani = "Kolik nohou ma pavouk?";
  std::array<QByteArray, 4> odp = {"sest", "osm", "deset", "dvanact"};
  QByteArray spravna = "B";
  std::array<std::int16_t, 4> divaci = {10, 70, 15, 5};
  QByteArray autor = "Jana Novakova";
  std::int16_t korekce = -1;
  std::int16_t hodnota = 1;
  QByteArray id = "P01";
};

// The 496 bytes of a question file, as the game's record encoder writes them.
QByteArray questionBytes(const QuestionFields& q);

// A whole game window on the virtual clock: question files in a temporary folder, recorded
// players, scripted boxes, a window system that keeps what it unloads.
class GameHarness {
public:
  // The right letter of the stock question of each step 1 to 5.
  static constexpr std::array<char, 5> kRight = {'B', 'D', 'A', 'C', 'B'};
  // The stock question of a step: "Otazka N", answers "N-A".."N-D", its right letter.
  static QuestionFields stockQuestion(int step);

  // With stock questions for steps 1 to `steps` (one file each).
  explicit GameHarness(int steps = 5);
  // Over the question files of an existing data folder, with a fixed random seed.
  GameHarness(const std::filesystem::path& dataDir, std::uint64_t seed);
  ~GameHarness();

  // Writes qst/<step>-<number>.qst with the given bytes.
  QString writeFile(int step, int number, const QByteArray& bytes);
  QString writeQuestion(int step, int number, const QuestionFields& q) { return writeFile(step, number, questionBytes(q)); }
  void removeQuestions();

  Form& form() const;
  Element& operator[](const char* name) const { return form()[QLatin1String(name)]; }
  Timer& timer(const char* name) const { return form().timer(QLatin1String(name)); }

  // The key of the right (or of a wrong) answer at a level.
  static int rightKey(int level);
  static int wrongKey(int level);
  // Advances until the question of the current level is fully shown and input is open.
  void finishReveal();
  // From a revealed question, answers right and waits until the next question is revealed.
  void answerRightAndGoOn();
  // Starts a game and plays right answers until question `level` is revealed.
  void playTo(int level);
  std::int64_t now() const { return clock.nowMs(); }
  // "open" or "locked" when the gate and every plate, text and lifeline icon agree (hand
  // pointer and enabled exactly where a click is taken); else "odd:" and what disagrees.
  QString gate() const;

  QTemporaryDir dir;
  VirtualClock clock;
  MtRandom random;
  ScriptedMessageBoxes boxes{clock};
  FixedTextMeasure measure{100};
  GamePaths paths;
  FakeWindowSystem windows;
  RecordingMedia music{clock};
  RecordingMedia effects{clock};
  RecordingMedia video{clock};
  std::unique_ptr<FrmMain> game;
  // Times the start menu was asked for; the menu resets the level as it loads.
  std::vector<std::int64_t> menuShown;
};

}  // namespace kvz::fakes
