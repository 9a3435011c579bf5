#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::QuestionSpec;
using Op = fakes::RecordingMedia::Op;

class NoCapitalLetter : public ::testing::TestWithParam<const char*> {};

TEST_P(NoCapitalLetter, EveryPickIsWrongAndNoPlateTurnsGreen) {
  for (int key : {vk::A, vk::B, vk::C, vk::D}) {
    GameHarness h(0);
    QuestionSpec q = GameHarness::stockQuestion(1);
    q.spravna = GetParam();
    h.writeQuestion(1, 1, q);
    h.playTo(1);
    h.form().keyUp(key);
    h.clock.advance(2000);
    EXPECT_FALSE(h.game->SpravnaOdpoved);
    EXPECT_EQ(h.effects.played(), std::vector<QString>{"w.wav"});
    for (const char* plate : {"imgA", "imgB", "imgC", "imgD"}) EXPECT_FALSE(h[plate].picture().endsWith("-Z")) << plate;
    EXPECT_EQ(h.form()[QStringLiteral("img") + QChar(key)].picture(), QString(QChar(key)) + "-O");
    h.clock.advance(6000);
    EXPECT_EQ(h.game->form(), nullptr);
    EXPECT_EQ(h.menuShown.size(), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(BadQuestion, NoCapitalLetter, ::testing::Values("b", "?", " ", "E", "\x01"),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// The orderly way back when a step has no question to ask.
void expectBackToMenu(GameHarness& h, int step, std::int64_t failedAt) {
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  const auto& box = h.boxes.shown[0];
  EXPECT_EQ(box.title, "Kvizarion");
  EXPECT_EQ(box.icon, MsgIcon::Information);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_TRUE(box.text.contains(QStringLiteral("pro %1. otázku hry").arg(step))) << box.text.toStdString();
  EXPECT_TRUE(box.text.contains(QStringLiteral("0%1-001.qst až 0%1-025.qst").arg(step))) << box.text.toStdString();
  EXPECT_TRUE(box.text.contains(QDir::toNativeSeparators(h.dir.path() + "/qst")));
  EXPECT_TRUE(box.text.contains("496"));

  // Nothing of a question is on screen and nothing can be picked or judged.
  for (const char* name : {"lblZadani", "lblA", "lblB", "lblC", "lblD"}) {
    EXPECT_FALSE(h[name].visible()) << name;
    EXPECT_TRUE(h[name].caption().isEmpty()) << name;
  }
  EXPECT_TRUE(h.game->Zamceno);
  EXPECT_TRUE(h.game->Otazka.Spravna.isEmpty());
  EXPECT_TRUE(h.game->SouborOtazky.isEmpty());
  ASSERT_FALSE(h.music.times(Op::Stop).empty());
  EXPECT_EQ(h.music.times(Op::Stop).back(), failedAt);

  // The menu comes back only after the running handler, a moment later.
  EXPECT_TRUE(h.menuShown.empty());
  h.clock.advance(1);
  EXPECT_EQ(h.menuShown.size(), 1u);
  EXPECT_EQ(h.game->form(), nullptr);
  EXPECT_EQ(h.windows.unloadLog, std::vector<QString>{"frmMain"});
  EXPECT_FALSE(h.windows.isShown("frmMain"));
  EXPECT_EQ(h.clock.nextDue(), -1);
  EXPECT_FALSE(h.windows.quitCalled);
}

struct Setup {
  const char* name;
  std::function<void(GameHarness&)> spoil;
  friend void PrintTo(const Setup& p, std::ostream* os) { *os << p.name; }
};

class NoFirstQuestion : public ::testing::TestWithParam<Setup> {};

TEST_P(NoFirstQuestion, TellsThePlayerAndReturnsToTheMenu) {
  GameHarness h;
  GetParam().spoil(h);
  h.game->Show();
  EXPECT_TRUE(h.windows.showLog.empty());  // the empty game window never appears
  expectBackToMenu(h, 1, 0);
  // A game that can start comes next time.
  h.writeQuestion(1, 7, GameHarness::stockQuestion(1));
  h.boxes.shown.clear();
  h.playTo(1);
  EXPECT_EQ(h["lblZadani"].caption(), "Otazka 1");
  EXPECT_TRUE(h.game->SouborOtazky.endsWith("01-007.qst"));
}

INSTANTIATE_TEST_SUITE_P(
    BadQuestion, NoFirstQuestion,
    ::testing::Values(
        Setup{"NoQuestionFolder", [](GameHarness& h) { h.removeQuestions(); }},
        Setup{"ShortFile",
              [](GameHarness& h) { h.writeFile(1, 1, fakes::questionBytes(GameHarness::stockQuestion(1)).left(495)); }},
        Setup{"EmptyFile", [](GameHarness& h) { h.writeFile(1, 1, QByteArray()); }},
        Setup{"OnlyNumbersAbove25",
              [](GameHarness& h) {
                QFile::remove(h.dir.path() + "/qst/01-001.qst");
                h.writeQuestion(1, 26, GameHarness::stockQuestion(1));
              }},
        Setup{"FolderWhereTheFileShouldBe",
              [](GameHarness& h) {
                QFile::remove(h.dir.path() + "/qst/01-001.qst");
                QDir(h.dir.path()).mkpath("qst/01-001.qst");
              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BadQuestion, NoThirdQuestionEndsTheGameWithoutTheSecondsTexts) {
  GameHarness h(2);
  h.playTo(2);
  h.form().keyUp(GameHarness::rightKey(2));
  // The verdict after 3 s, the winnings 2.2 s later, the next question 2 s after them.
  const std::int64_t next = h.now() + 3000 + 2200 + 2000;
  h.clock.advanceTo(next);
  EXPECT_EQ(h.game->HodnotaOtazky, 3);
  EXPECT_EQ(h["imgStupnice"].picture(), "S03");
  expectBackToMenu(h, 3, next);
}

TEST(BadQuestion, LongerFileIsReadAsItsFirstRecord) {
  GameHarness h(0);
  h.writeFile(1, 1, fakes::questionBytes(GameHarness::stockQuestion(1)) + QByteArray(300, 'X'));
  h.playTo(1);
  EXPECT_EQ(h["lblD"].caption(), "1-D");
  EXPECT_EQ(h.game->Otazka.ID, "Q01");
  h.answerRightAndGoOn();
}

}  // namespace
}  // namespace kvz
