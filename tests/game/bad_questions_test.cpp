#include <gtest/gtest.h>

#include <QDir>
#include <functional>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::QuestionSpec;

// A right letter that names no answer: every pick is wrong, no plate turns green, the game ends.
TEST(BadQuestion, NoCapitalLetterMakesEveryPickWrong) {
  for (const char* letter : {"b", "?", " ", "E", "\x01"})
    for (int key : {vk::A, vk::B, vk::C, vk::D}) {
      GameHarness h(0);
      QuestionSpec q = GameHarness::stockQuestion(1);
      q.spravna = letter;
      h.writeQuestion(1, 1, q);
      h.playTo(1);
      h.form().keyUp(key);
      h.clock.advance(2000);
      EXPECT_EQ(h.effects.played(), std::vector<QString>{"w.wav"}) << letter;
      for (const char* plate : {"imgA", "imgB", "imgC", "imgD"}) EXPECT_FALSE(h[plate].picture().endsWith("-Z")) << plate;
      h.clock.advance(6000);
      EXPECT_EQ(h.menuShown.size(), 1u);
    }
}

// The orderly way back when a step has no question to ask: the player is told which files
// are missing, nothing of a question stands on screen, and the menu comes back a moment later.
void expectBackToMenu(GameHarness& h, int step, std::int64_t failedAt) {
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  const QString text = h.boxes.shown[0].text;
  EXPECT_TRUE(text.contains(QStringLiteral("0%1-001.qst až 0%1-025.qst").arg(step))) << text.toStdString();
  EXPECT_TRUE(text.contains(QDir::toNativeSeparators(h.dir.path() + "/qst")));
  for (const char* name : {"lblZadani", "lblA", "lblB", "lblC", "lblD"})
    EXPECT_FALSE(h[name].visible() || !h[name].caption().isEmpty()) << name;
  EXPECT_EQ(h.gate(), "locked");
  EXPECT_TRUE(h.game->Otazka.Spravna.isEmpty() && h.game->SouborOtazky.isEmpty());
  EXPECT_FALSE(h.music.sounding());
  EXPECT_TRUE(h.menuShown.empty());
  h.clock.advance(1);
  EXPECT_EQ(h.menuShown, std::vector<std::int64_t>{failedAt + 1});
  EXPECT_EQ(h.windows.unloadLog, std::vector<QString>{"frmMain"});
  EXPECT_EQ(h.clock.nextDue(), -1);
}

const auto kStock1 = fakes::questionBytes(GameHarness::stockQuestion(1));

TEST(BadQuestion, NoUsableFirstQuestionTellsThePlayerAndReturnsToTheMenu) {
  const std::pair<const char*, std::function<void(GameHarness&)>> spoils[] = {
      {"no folder", [](GameHarness& h) { h.removeQuestions(); }},
      {"short file", [](GameHarness& h) { h.writeFile(1, 1, kStock1.left(495)); }},
      {"empty file", [](GameHarness& h) { h.writeFile(1, 1, QByteArray()); }},
      {"only numbers above 25", [](GameHarness& h) { h.removeQuestions(), h.writeFile(1, 26, kStock1); }},
      {"a folder for the file", [](GameHarness& h) { h.removeQuestions(), QDir(h.dir.path()).mkpath("qst/01-001.qst"); }}};
  for (const auto& [what, spoil] : spoils) {
    SCOPED_TRACE(what);
    GameHarness h;
    spoil(h);
    h.game->Show();
    EXPECT_TRUE(h.windows.showLog.empty());  // the empty game window never appears
    expectBackToMenu(h, 1, 0);
    h.writeQuestion(1, 7, GameHarness::stockQuestion(1));
    h.playTo(1);  // a game that can start comes next time
    EXPECT_TRUE(h.game->SouborOtazky.endsWith("01-007.qst"));
  }
}

TEST(BadQuestion, NoThirdQuestionEndsTheGameAfterTheSecondsWinnings) {
  GameHarness h(2);
  h.playTo(2);
  h.form().keyUp(GameHarness::rightKey(2));
  const std::int64_t next = h.now() + 3000 + 2200 + 2000;
  h.clock.advanceTo(next);
  EXPECT_EQ(h["imgStupnice"].picture(), "S03");
  expectBackToMenu(h, 3, next);
}

TEST(BadQuestion, LongerFileIsReadAsItsFirstRecord) {
  GameHarness h(0);
  h.writeFile(1, 1, kStock1 + QByteArray(300, 'X'));
  h.playTo(1);
  EXPECT_EQ(h["lblD"].caption(), "1-D");
  EXPECT_EQ(h.game->Otazka.ID, "Q01");
}

}  // namespace
}  // namespace kvz
