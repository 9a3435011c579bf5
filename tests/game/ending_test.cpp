#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

class EscConfirmed : public ::testing::TestWithParam<int> {};

TEST_P(EscConfirmed, KeepsTheAmountOfTheLastRightAnswerForThreeSeconds) {
  const int level = GetParam();
  GameHarness h;
  h.playTo(level);
  const std::int64_t t = h.now();
  h.boxes.answers.push_back(MsgResult::Yes);
  h.form().keyUp(vk::Escape);

  ASSERT_EQ(h.boxes.shown.size(), 1u);
  const auto& box = h.boxes.shown[0];
  EXPECT_EQ(box.text, "Opravdu chcete ukončit tuto hru ??");
  EXPECT_EQ(box.title, "potvrzení");
  EXPECT_EQ(box.icon, MsgIcon::Question);
  EXPECT_EQ(box.buttons, MsgButtons::YesNo);

  EXPECT_EQ(h.game->HodnotaOtazky, level - 1);
  EXPECT_EQ(h.game->DuvodKonce, "Esc");
  EXPECT_TRUE(h["imgVyhra"].visible());
  EXPECT_EQ(h["imgVyhra"].picture(), QStringLiteral("C0%1").arg(level - 1));
  for (const char* name : {"lblZadani", "lblA", "lblB", "lblC", "lblD"}) EXPECT_FALSE(h[name].visible()) << name;
  EXPECT_EQ(h.music.times(Op::Stop), std::vector<std::int64_t>{t});
  EXPECT_EQ(h.effects.played().size(), static_cast<std::size_t>(level - 1));  // no verdict sound

  h.clock.advanceTo(t + 2999);
  ASSERT_NE(h.game->form(), nullptr);
  h.clock.advanceTo(t + 3000);
  EXPECT_EQ(h.game->form(), nullptr);
  EXPECT_EQ(h.menuShown, std::vector<std::int64_t>{t + 3000});
  EXPECT_EQ(h.clock.nextDue(), -1);
}

// At question 5 the kept amount is that of question 4, shown for 3 s, not the 9 s of a win.
INSTANTIATE_TEST_SUITE_P(Ending, EscConfirmed, ::testing::Values(1, 3, 5),
                         [](const auto& info) { return "AtQuestion" + std::to_string(info.param); });

TEST(Ending, EscRefusedChangesNothingAndThePlayerCanStillPick) {
  GameHarness h;
  h.playTo(2);
  h.boxes.answers.push_back(MsgResult::No);
  h.form().keyUp(vk::Escape);
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  EXPECT_EQ(h.game->HodnotaOtazky, 2);
  EXPECT_FALSE(h.game->Zamceno);
  EXPECT_TRUE(h.game->DuvodKonce.isEmpty());
  EXPECT_EQ(h.game->KrokCastky, 0);
  EXPECT_EQ(h.clock.nextDue(), -1);
  EXPECT_FALSE(h["imgVyhra"].visible());
  EXPECT_TRUE(h["lblA"].visible());
  EXPECT_TRUE(h.music.times(Op::Stop).empty());
  EXPECT_TRUE(h["imgA"].enabled());

  h.answerRightAndGoOn();
  EXPECT_EQ(h.game->HodnotaOtazky, 3);
}

}  // namespace
}  // namespace kvz
