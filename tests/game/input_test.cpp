#include <gtest/gtest.h>
#include <functional>


#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;

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
  EXPECT_TRUE(h.game->ZvolenaOdpoved.isEmpty() && !h.game->Zamceno && h.boxes.shown.empty());
  EXPECT_EQ(h.clock.nextDue(), -1);
}

}  // namespace
}  // namespace kvz
