#pragma once

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

// A whole game window on the virtual clock: question files in a temporary folder, recorded
// players, scripted boxes, a window system that keeps what it unloads.
class GameHarness {
public:
  // The right letter of the stock question of each step 1 to 5.
  static constexpr std::array<char, 5> kRight = {'B', 'D', 'A', 'C', 'B'};
  // The stock question of a step: "Otazka N", answers "N-A".."N-D", its right letter, the
  // audience 10/70/15/5, by "Jana Novakova", ID "Q0N".
  static ZaznamOtazky stockQuestion(int step);

  // With stock questions for steps 1 to `steps` (one file each).
  explicit GameHarness(int steps = 5);
  // Over the question files of an existing data folder, with a fixed random seed.
  GameHarness(const std::filesystem::path& dataDir, std::uint64_t seed);

  // Writes the question file of a step and number, by the game's own record encoder.
  void writeQuestion(int step, int number, const ZaznamOtazky& q);
  void removeQuestions() { std::filesystem::remove_all(paths.questionDir()); }

  Form& form() const;
  Element& operator[](const char* name) const { return form()[QLatin1String(name)]; }
  Timer& timer(const char* name) const { return form().timer(QLatin1String(name)); }

  // The key of the right (or of a wrong) answer at a level.
  static int rightKey(int level) { return kRight[static_cast<std::size_t>(level - 1)]; }
  static int wrongKey(int level) { return rightKey(level) == 'A' ? 'B' : 'A'; }
  // Starts a game and plays right answers until question `level` is revealed and input is open.
  void playTo(int level);
  std::int64_t now() const { return clock.nowMs(); }
  // "locked" or "open" as the game's Zamceno says, or "odd:" and the elements that disagree
  // with it: locked, no plate, text or icon takes a click; open, a plate takes one exactly
  // while its answer is shown and an icon exactly while it is not crossed out.
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
