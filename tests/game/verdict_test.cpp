#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

// Everything of one pick, at the exact virtual millisecond: the suspense of the level, the
// verdict sound, the plate colours, the winnings and what comes after them.
void expectVerdictTimeline(int level, bool right) {
  const std::int64_t d = std::array{2000, 3000, 4000, 4000, 6000}[static_cast<std::size_t>(level - 1)];
  GameHarness h;
  h.playTo(level);
  const std::int64_t t0 = h.now();
  const int rightKey = GameHarness::rightKey(level);
  const int pickKey = right ? rightKey : GameHarness::wrongKey(level);
  const auto colour = [&](int key) { return h.form()[QStringLiteral("img") + QChar(key)].picture().back(); };
  h.form().keyUp(pickKey);

  // The right plate 1 ms before the verdict, at it, and around the two blinks after it.
  QString colours;
  for (const std::int64_t m : {-1, 0, 349, 350, 699, 700}) {
    h.clock.advanceTo(t0 + d + m);
    colours += colour(rightKey);
  }
  EXPECT_EQ(colours, right ? "OZZOOZ" : "MZZZZZ");
  EXPECT_EQ(colour(pickKey), right ? 'Z' : 'O');
  EXPECT_EQ(h.effects.times(Op::Play).back(), t0 + d);
  EXPECT_EQ(h.effects.played().back(), !right ? "w.wav" : level == 5 ? "pt.wav" : "r.wav");
  EXPECT_EQ(h.music.times(Op::Stop), !right || level == 5 ? std::vector<std::int64_t>{t0 + d} : std::vector<std::int64_t>{});
  EXPECT_EQ(h.game->HodnotaOtazky, right ? level : 0);

  // The winnings plate: not a millisecond early, then for exactly its time.
  const std::int64_t winnings = t0 + d + (right ? 2200 : 3000);
  const std::int64_t shownFor = !right ? 3000 : level == 5 ? 9000 : 2000;
  for (const auto& [time, shown] : {std::pair{winnings - 1, false}, {winnings, true}, {winnings + shownFor - 1, true}}) {
    h.clock.advanceTo(time);
    EXPECT_EQ(h["imgVyhra"].visible() && h["Shape1"].visible(), shown) << time;
    EXPECT_EQ(h["lblZadani"].visible() || h["lblA"].visible(), !shown) << time;
  }
  EXPECT_EQ(h["imgVyhra"].picture(), QStringLiteral("C0%1").arg(right ? level : 0));
  h.clock.advanceTo(winnings + shownFor);
  if (right && level < 5) {
    EXPECT_EQ(h["imgStupnice"].picture(), QStringLiteral("S0%1").arg(level + 1));
    EXPECT_FALSE(h["imgVyhra"].visible());
    EXPECT_TRUE(h.menuShown.empty());
  } else {
    EXPECT_EQ(h.menuShown, std::vector<std::int64_t>{winnings + shownFor});
    EXPECT_EQ(h.clock.nextDue(), -1);  // nothing of the game runs on
  }
}

TEST(Verdict, EveryLevelFollowsItsDelaysSoundsAndColoursToTheMillisecond) {
  for (int level = 1; level <= 5; ++level)
    for (bool right : {true, false}) {
      SCOPED_TRACE(testing::Message() << "level " << level << (right ? " right" : " wrong"));
      expectVerdictTimeline(level, right);
    }
}

TEST(Verdict, BlinkingTimerFiringAgainChangesNothing) {
  GameHarness h;
  h.playTo(1);
  h.form().keyUp(GameHarness::rightKey(1));
  h.clock.advance(2000 + 700);
  const std::int64_t due = h.clock.nextDue();
  h.game->tmrBlik_Timer();
  EXPECT_EQ(h["imgB"].picture(), "B-Z");
  EXPECT_EQ(h.clock.nextDue(), due);  // the winnings keep their time
}

}  // namespace
}  // namespace kvz
