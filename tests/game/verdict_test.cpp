#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

struct Pick {
  int level;
  bool right;
};

class VerdictTimeline : public ::testing::TestWithParam<Pick> {};

QString plateOf(int key) { return QStringLiteral("img") + QChar(key); }
QString bitmap(int key, char colour) { return QString(QChar(key)) + '-' + QChar(colour); }

// Everything of one pick, at the exact virtual millisecond: the suspense of the level, the
// verdict sound, the plate colours, the winnings and what comes after them.
TEST_P(VerdictTimeline, FollowsTheLevelsDelaysSoundsAndColoursToTheMillisecond) {
  const auto [level, right] = GetParam();
  const std::int64_t delays[] = {2000, 3000, 4000, 4000, 6000};
  const std::int64_t d = delays[level - 1];
  GameHarness h;
  h.playTo(level);
  FrmMain& g = *h.game;
  const std::int64_t t0 = h.now();
  const std::size_t effectsBefore = h.effects.log.size();
  const int rightKey = GameHarness::rightKey(level);
  const int pickKey = right ? rightKey : GameHarness::wrongKey(level);
  const auto plate = [&](int key) { return h.form()[plateOf(key)].picture(); };

  h.form().keyUp(pickKey);
  EXPECT_EQ(plate(pickKey), bitmap(pickKey, 'O'));

  h.clock.advanceTo(t0 + d - 1);
  EXPECT_EQ(h.effects.log.size(), effectsBefore);
  EXPECT_EQ(plate(rightKey), right ? bitmap(rightKey, 'O') : bitmap(rightKey, 'M'));

  h.clock.advanceTo(t0 + d);
  ASSERT_FALSE(h.effects.times(Op::Play).empty());
  EXPECT_EQ(h.effects.times(Op::Play).back(), t0 + d);
  const QString sound = !right ? "w.wav" : level == 5 ? "pt.wav" : "r.wav";
  EXPECT_EQ(h.effects.played().back(), sound);
  const auto stops = h.music.times(Op::Stop);
  if (!right || level == 5) {
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0], t0 + d);
  } else {
    EXPECT_TRUE(stops.empty());
  }
  EXPECT_EQ(plate(rightKey), bitmap(rightKey, 'Z'));
  EXPECT_FALSE(h.timer("tmrZvuk").running());

  std::int64_t winnings = 0;
  if (right) {
    EXPECT_EQ(g.HodnotaOtazky, level);
    h.clock.advanceTo(t0 + d + 349);
    EXPECT_EQ(plate(rightKey), bitmap(rightKey, 'Z'));
    h.clock.advanceTo(t0 + d + 350);
    EXPECT_EQ(plate(rightKey), bitmap(rightKey, 'O'));
    h.clock.advanceTo(t0 + d + 700);
    EXPECT_EQ(plate(rightKey), bitmap(rightKey, 'Z'));
    EXPECT_FALSE(h.timer("tmrBlik").running());
    winnings = t0 + d + 2200;
  } else {
    EXPECT_EQ(plate(pickKey), bitmap(pickKey, 'O'));
    EXPECT_EQ(g.HodnotaOtazky, 0);
    EXPECT_EQ(g.DuvodKonce, "SpatnaOdp");
    h.clock.advanceTo(t0 + d + 700);  // no blinking
    EXPECT_EQ(plate(rightKey), bitmap(rightKey, 'Z'));
    EXPECT_EQ(g.KrokBliku, 0);
    winnings = t0 + d + 3000;
  }

  h.clock.advanceTo(winnings - 1);
  EXPECT_FALSE(h["imgVyhra"].visible());
  EXPECT_TRUE(h["lblZadani"].visible());
  h.clock.advanceTo(winnings);
  EXPECT_TRUE(h["imgVyhra"].visible() && h["Shape1"].visible());
  EXPECT_EQ(h["imgVyhra"].picture(), right ? QStringLiteral("C0%1").arg(level) : QStringLiteral("C00"));
  for (const char* name : {"lblZadani", "lblA", "lblD"}) EXPECT_FALSE(h[name].visible()) << name;

  const std::int64_t shownFor = !right ? 3000 : level == 5 ? 9000 : 2000;
  h.clock.advanceTo(winnings + shownFor - 1);
  ASSERT_NE(h.game->form(), nullptr);
  EXPECT_TRUE(h["imgVyhra"].visible());
  h.clock.advanceTo(winnings + shownFor);
  if (right && level < 5) {
    EXPECT_EQ(g.HodnotaOtazky, level + 1);
    EXPECT_EQ(h["imgStupnice"].picture(), QStringLiteral("S0%1").arg(level + 1));
    EXPECT_FALSE(h["imgVyhra"].visible());
    EXPECT_TRUE(h.menuShown.empty());
  } else {
    EXPECT_EQ(h.game->form(), nullptr);
    EXPECT_EQ(h.menuShown, std::vector<std::int64_t>{winnings + shownFor});
    EXPECT_EQ(h.clock.nextDue(), -1);  // nothing of the game runs on
  }
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, VerdictTimeline,
                         ::testing::Values(Pick{1, true}, Pick{1, false}, Pick{2, true}, Pick{2, false},
                                           Pick{3, true}, Pick{3, false}, Pick{4, true}, Pick{4, false},
                                           Pick{5, true}, Pick{5, false}),
                         [](const auto& info) {
                           return "Level" + std::to_string(info.param.level) + (info.param.right ? "Right" : "Wrong");
                         });

TEST(Verdict, BlinkingTimerFiringAgainChangesNothing) {
  GameHarness h;
  h.playTo(1);
  h.form().keyUp(GameHarness::rightKey(1));
  h.clock.advance(2000 + 700);
  ASSERT_EQ(h.game->KrokBliku, 3);
  const std::int64_t due = h.clock.nextDue();
  h.game->tmrBlik_Timer();
  EXPECT_EQ(h["imgB"].picture(), "B-Z");
  EXPECT_EQ(h.clock.nextDue(), due);  // the winnings keep their time
  EXPECT_FALSE(h.timer("tmrBlik").running());
}

}  // namespace
}  // namespace kvz
