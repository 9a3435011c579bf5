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

// During the reveal, after a pick and while the winnings show, nothing is taken, and the
// question goes on on time. A moment: ms from the start of the question or from a pick of B.
TEST(InputGate, NothingIsTakenWhileLockedAndTheQuestionGoesOnOnTime) {
  const std::tuple<const char*, bool, std::int64_t> moments[] = {
      {"reveal starts", false, 0}, {"last answer due", false, 4999}, {"pick made", true, 500}, {"winnings", true, 4200}};
  for (const auto& [name, picked, ms] : moments) {
    GameHarness h;
    h.game->Show();
    if (picked) h.finishReveal(), h.form().keyUp(vk::B);
    h.clock.advance(ms);
    const std::int64_t next = h.clock.nextDue();
    tryEverything(h);
    EXPECT_EQ(h.gate(), "locked") << name;
    EXPECT_EQ(h.game->ZvolenaOdpoved, picked ? "B" : "") << name;
    EXPECT_TRUE(h.boxes.shown.empty()) << name;
    EXPECT_EQ(h.clock.nextDue(), next) << name;
    for (const char* plate : {"imgA", "imgC", "imgD"}) EXPECT_TRUE(h[plate].picture().endsWith("-M")) << name;
  }
}

TEST(InputGate, PlateTextAndKeyOfEitherCasePickTheSameAnswerOnce) {
  const std::function<void(GameHarness&)> ways[] = {[](GameHarness& h) { h["imgC"].click(); },
                                                    [](GameHarness& h) { h["lblC"].click(); },
                                                    [](GameHarness& h) { h.form().keyUp(vk::C); },
                                                    [](GameHarness& h) { h.form().keyUp(vk::C, 1); }};
  for (const auto& pickC : ways) {
    GameHarness h;
    h.playTo(1);
    pickC(h);
    h.form().keyUp(vk::A);  // the first pick stands
    EXPECT_EQ(h.game->ZvolenaOdpoved, "C");
    EXPECT_EQ(h["imgC"].picture(), "C-O");
    EXPECT_EQ(h.gate(), "locked");
    EXPECT_EQ(h.clock.nextDue(), h.now() + 2000);
  }
}

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
  EXPECT_FALSE(h["lblA"].visible() || h["lblC"].visible() || h["imgA"].enabled() || h["imgC"].enabled());
  h.form().keyUp(vk::A);
  h["imgC"].click();
  EXPECT_TRUE(g.ZvolenaOdpoved.isEmpty());
  h["imgB"].click();
  EXPECT_EQ(g.ZvolenaOdpoved, "B");
}

}  // namespace
}  // namespace kvz
