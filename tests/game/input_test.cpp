#include <gtest/gtest.h>

#include <functional>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;

// Everything the player could try at once: every plate and text, every game key.
void tryEverything(GameHarness& h) {
  for (const char* name : {"imgA", "imgB", "imgC", "imgD", "lblA", "lblB", "lblC", "lblD"}) h[name].click();
  for (int key : {vk::A, vk::B, vk::C, vk::D, vk::F10, vk::Escape}) h.form().keyUp(key);
}

void expectNoPick(const GameHarness& h) {
  EXPECT_TRUE(h.game->ZvolenaOdpoved.isEmpty());
  EXPECT_FALSE(h.timer("tmrZvuk").running());
  for (const char* plate : {"imgA", "imgB", "imgC", "imgD"})
    EXPECT_TRUE(h[plate].picture().endsWith("-M")) << plate;
}

TEST(InputGate, NothingTakesDuringTheReveal) {
  GameHarness h;
  h.boxes.answers.assign(4, MsgResult::Yes);  // an Esc that got through would quit
  h.game->Show();
  for (std::int64_t time : {0, 1999, 2000, 3500, 4999}) {
    h.clock.advanceTo(time);
    tryEverything(h);
    expectNoPick(h);
  }
  EXPECT_TRUE(h.boxes.shown.empty());
  EXPECT_EQ(h.game->HodnotaOtazky, 1);
  h.clock.advanceTo(5000);
  h.form().keyUp(vk::C);
  EXPECT_EQ(h.game->ZvolenaOdpoved, "C");  // the gate opens with the last answer
}

struct Way {
  const char* name;
  std::function<void(GameHarness&)> pickC;
  friend void PrintTo(const Way& p, std::ostream* os) { *os << p.name; }
};

class PickWays : public ::testing::TestWithParam<Way> {};

TEST_P(PickWays, PlateTextAndKeyPickTheSameAnswer) {
  GameHarness h;
  h.playTo(1);
  const std::int64_t t0 = h.now();
  GetParam().pickC(h);
  EXPECT_EQ(h.game->ZvolenaOdpoved, "C");
  EXPECT_EQ(h["imgC"].picture(), "C-O");
  for (const char* plate : {"imgA", "imgB", "imgD"}) EXPECT_TRUE(h[plate].picture().endsWith("-M")) << plate;
  EXPECT_TRUE(h.game->Zamceno);
  for (const char* name : {"imgA", "imgB", "imgC", "imgD", "lblA", "lblB", "lblC", "lblD", "imgN5050"})
    EXPECT_EQ(h[name].pointer(), Pointer::Arrow) << name;
  EXPECT_EQ(h.clock.nextDue(), t0 + 2000);
  EXPECT_FALSE(h.game->SpravnaOdpoved);  // B is right on the first question
}

INSTANTIATE_TEST_SUITE_P(InputGate, PickWays,
                         ::testing::Values(Way{"Plate", [](GameHarness& h) { h["imgC"].click(); }},
                                           Way{"Text", [](GameHarness& h) { h["lblC"].click(); }},
                                           Way{"Key", [](GameHarness& h) { h.form().keyUp(vk::C); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InputGate, TheFirstPickStands) {
  GameHarness h;
  h.playTo(1);
  h.form().keyUp(vk::A);
  const std::int64_t verdict = h.clock.nextDue();
  h.clock.advance(500);
  h.boxes.answers.assign(2, MsgResult::Yes);
  tryEverything(h);
  EXPECT_EQ(h.game->ZvolenaOdpoved, "A");
  EXPECT_EQ(h["imgB"].picture(), "B-M");
  EXPECT_EQ(h.clock.nextDue(), verdict);
  EXPECT_TRUE(h.boxes.shown.empty());  // F10 and Esc are locked after a pick as well
  h.clock.advanceTo(verdict);
  EXPECT_EQ(h.effects.played().back(), "w.wav");
}

TEST(InputGate, NothingTakesWhileTheWinningsAreShown) {
  GameHarness h;
  h.playTo(1);
  h.form().keyUp(GameHarness::rightKey(1));
  h.clock.advance(2000 + 2200);
  ASSERT_TRUE(h["imgVyhra"].visible());
  h.boxes.answers.assign(2, MsgResult::Yes);
  tryEverything(h);
  EXPECT_TRUE(h.boxes.shown.empty());
  EXPECT_EQ(h.game->ZvolenaOdpoved, "B");
  EXPECT_EQ(h.game->HodnotaOtazky, 1);
  h.clock.advance(2000);
  EXPECT_EQ(h.game->HodnotaOtazky, 2);  // the next question comes on time
}

TEST(InputGate, LetterKeyOfAHiddenAnswerDoesNothing) {
  GameHarness h;
  h.playTo(1);
  // As fifty-fifty leaves an answer: text hidden, plate disabled.
  h["lblA"].setVisible(false);
  h["imgA"].setEnabled(false);
  h.form().keyUp(vk::A);
  h["imgA"].click();
  expectNoPick(h);
  EXPECT_FALSE(h.game->Zamceno);
  h.form().keyUp(vk::D);
  EXPECT_EQ(h.game->ZvolenaOdpoved, "D");
}

TEST(InputGate, KeysThatAreNotTheGamesDoNothing) {
  GameHarness h;
  h.playTo(1);
  // Other letters, the codes of lower-case characters, Enter, Space, other function keys.
  for (int key : std::initializer_list<int>{'E', 'Z', 'a', 'b', 13, 32, 112, 120, 122, 0, -1, 65535})
    h.form().keyUp(key, 1);
  expectNoPick(h);
  EXPECT_FALSE(h.game->Zamceno);
  EXPECT_TRUE(h.boxes.shown.empty());
  EXPECT_EQ(h.clock.nextDue(), -1);
  EXPECT_TRUE(h.game->N5050 && h.game->NDivaci && h.game->NTelefon);
}

TEST(InputGate, UnlockAfterFiftyFiftyOpensOnlyTheAnswersLeft) {
  GameHarness h;
  h.playTo(1);
  FrmMain& g = *h.game;
  // What fifty-fifty leaves behind, then a lifeline that locks and unlocks the input.
  g.Pouzito5050 = true;
  g.N5050 = false;
  for (const char* name : {"lblA", "lblC"}) h[name].setVisible(false);
  g.Zamkni();
  EXPECT_TRUE(h["lblB"].visible());  // locking hides nothing
  g.Odemkni();

  EXPECT_FALSE(g.Zamceno);
  for (const char* plate : {"imgA", "imgC"}) {
    EXPECT_FALSE(h[plate].enabled()) << plate;
    EXPECT_EQ(h[plate].pointer(), Pointer::Arrow) << plate;
  }
  for (const char* plate : {"imgB", "imgD"}) {
    EXPECT_TRUE(h[plate].enabled()) << plate;
    EXPECT_EQ(h[plate].pointer(), Pointer::Hand) << plate;
  }
  EXPECT_FALSE(h["lblA"].visible());
  EXPECT_FALSE(h["lblC"].visible());
  EXPECT_FALSE(h["imgN5050"].enabled());
  EXPECT_EQ(h["imgN5050"].pointer(), Pointer::Arrow);
  EXPECT_TRUE(h["imgNTel"].enabled());
  h.form().keyUp(vk::A);
  h["imgC"].click();
  expectNoPick(h);
  h["imgB"].click();
  EXPECT_EQ(g.ZvolenaOdpoved, "B");
}

}  // namespace
}  // namespace kvz
