#include <gtest/gtest.h>

#include <functional>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;

// Everything the player could try at once: every plate and text, every key of a pick, F10
// and Esc (each box that opens would answer Yes).
void tryEverything(GameHarness& h) {
  h.boxes.answers.assign(8, MsgResult::Yes);
  for (const char* name : {"imgA", "imgB", "imgC", "imgD", "lblA", "lblB", "lblC", "lblD"}) h[name].click();
  for (int key : {vk::A, vk::B, vk::C, vk::D, vk::F10, vk::Escape}) h.form().keyUp(key);
  h.boxes.answers.clear();
}

// A moment of a question and the pick already made by then ("" for none).
struct Moment {
  const char* name;
  std::function<void(GameHarness&)> reach;
  const char* picked;
  friend void PrintTo(const Moment& p, std::ostream* os) { *os << p.name; }
};

class InputLocked : public ::testing::TestWithParam<Moment> {};

TEST_P(InputLocked, NothingIsTakenAndTheQuestionGoesOnOnTime) {
  GameHarness h;
  h.game->Show();
  GetParam().reach(h);
  const std::int64_t next = h.clock.nextDue();
  tryEverything(h);
  EXPECT_EQ(h.gate(), "locked");
  EXPECT_EQ(h.game->ZvolenaOdpoved, GetParam().picked);
  EXPECT_TRUE(h.boxes.shown.empty());
  EXPECT_EQ(h.clock.nextDue(), next);
  for (const char* plate : {"imgA", "imgC", "imgD"}) EXPECT_TRUE(h[plate].picture().endsWith("-M")) << plate;
}

INSTANTIATE_TEST_SUITE_P(
    InputGate, InputLocked,
    ::testing::Values(Moment{"AtTheStartOfTheReveal", [](GameHarness&) {}, ""},
                      Moment{"JustBeforeTheLastAnswer", [](GameHarness& h) { h.clock.advanceTo(4999); }, ""},
                      Moment{"AfterAPick",
                             [](GameHarness& h) {
                               h.finishReveal();
                               h.form().keyUp(vk::B);
                               h.clock.advance(500);
                             },
                             "B"},
                      Moment{"WhileTheWinningsShow",
                             [](GameHarness& h) {
                               h.finishReveal();
                               h.form().keyUp(vk::B);
                               h.clock.advance(2000 + 2200);
                             },
                             "B"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Way {
  const char* name;
  std::function<void(GameHarness&)> pickC;
  friend void PrintTo(const Way& p, std::ostream* os) { *os << p.name; }
};

class PickWays : public ::testing::TestWithParam<Way> {};

TEST_P(PickWays, PlateTextAndKeyOfEitherCasePickTheSameAnswerOnce) {
  GameHarness h;
  h.playTo(1);
  const std::int64_t t0 = h.now();
  GetParam().pickC(h);
  EXPECT_EQ(h.game->ZvolenaOdpoved, "C");
  EXPECT_EQ(h["imgC"].picture(), "C-O");
  EXPECT_EQ(h.gate(), "locked");
  EXPECT_EQ(h.clock.nextDue(), t0 + 2000);
  h.form().keyUp(vk::A);  // the first pick stands
  EXPECT_EQ(h.game->ZvolenaOdpoved, "C");
}

INSTANTIATE_TEST_SUITE_P(InputGate, PickWays,
                         ::testing::Values(Way{"Plate", [](GameHarness& h) { h["imgC"].click(); }},
                                           Way{"Text", [](GameHarness& h) { h["lblC"].click(); }},
                                           Way{"Key", [](GameHarness& h) { h.form().keyUp(vk::C); }},
                                           Way{"ShiftedKey", [](GameHarness& h) { h.form().keyUp(vk::C, 1); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InputGate, KeysThatAreNotTheGamesAndHiddenAnswersTakeNothing) {
  GameHarness h;
  h.playTo(1);
  // As fifty-fifty leaves an answer: text hidden, plate disabled.
  h["lblA"].setVisible(false);
  h["imgA"].setEnabled(false);
  h["imgA"].click();
  for (int key : {vk::A, int{'E'}, int{'a'}, 13, 32, 112, 120, 122, 0, -1, 65535}) h.form().keyUp(key, 1);
  EXPECT_TRUE(h.game->ZvolenaOdpoved.isEmpty());
  EXPECT_FALSE(h.game->Zamceno);
  EXPECT_TRUE(h.boxes.shown.empty());
  EXPECT_EQ(h.clock.nextDue(), -1);
}

TEST(InputGate, UnlockAfterFiftyFiftyOpensOnlyTheAnswersLeft) {
  GameHarness h;
  h.playTo(1);
  FrmMain& g = *h.game;
  g.Pouzito5050 = true;
  g.N5050 = false;
  for (const char* name : {"lblA", "lblC"}) h[name].setVisible(false);
  g.Zamkni();
  EXPECT_TRUE(h["lblB"].visible());  // locking hides nothing
  g.Odemkni();
  EXPECT_EQ(h.gate(), "open");
  EXPECT_FALSE(h["lblA"].visible() || h["lblC"].visible());
  EXPECT_FALSE(h["imgA"].enabled() || h["imgC"].enabled());
  h.form().keyUp(vk::A);
  h["imgC"].click();
  EXPECT_TRUE(g.ZvolenaOdpoved.isEmpty());
  h["imgB"].click();
  EXPECT_EQ(g.ZvolenaOdpoved, "B");
}

}  // namespace
}  // namespace kvz
