#include <gtest/gtest.h>

#include <map>

#include "fakes/game_harness.h"
#include "lifelines/lifelines.h"

namespace kvz {
namespace {

using fakes::GameHarness;

// Over many draws at a fixed seed: the right answer stays, the two removed differ, and each
// answer that may survive does so equally often (chi-square, 99.9 % quantile).
TEST(FiftyFiftyDraw, RemovesTwoDifferentWrongAnswersWithEachWrongOneSurvivingAsOften) {
  struct Case {
    const char* spravna;
    std::vector<int> survivors;  // the outcomes that must come up equally often
    double critical;
  };
  // "x" names no answer: any two different answers go, each of the six pairs as often.
  for (const Case& c : {Case{"C", {1, 2, 4}, 13.82}, Case{"A", {2, 3, 4}, 13.82}, Case{"x", {}, 20.52}}) {
    MtRandom random(2024);
    std::map<int, int> seen;  // a survivor, or for "x" the pair as 10 * n + m, n < m
    const int runs = 6000;
    for (int i = 0; i < runs; ++i) {
      const auto [n, m] = lifelines::drawRemovals(random, QString::fromLatin1(c.spravna));
      ASSERT_NE(n, m);
      ASSERT_TRUE(n >= 1 && n <= 4 && m >= 1 && m <= 4);
      if (c.survivors.empty()) {
        ++seen[10 * std::min(n, m) + std::max(n, m)];
        continue;
      }
      const int right = c.spravna[0] - 'A' + 1;
      ASSERT_TRUE(n != right && m != right) << c.spravna;
      ++seen[10 - n - m - right];
    }
    const std::size_t k = c.survivors.empty() ? 6 : 3;
    ASSERT_EQ(seen.size(), k) << c.spravna;
    const double expected = static_cast<double>(runs) / static_cast<double>(k);
    double chi2 = 0;
    for (const auto& [outcome, count] : seen) chi2 += (count - expected) * (count - expected) / expected;
    EXPECT_LT(chi2, c.critical) << c.spravna;
  }
}

TEST(FiftyFifty, EmptiesTwoWrongPlatesAtOnceWithItsSoundAndStaysSpent) {
  GameHarness h;
  h.playTo(1);  // right answer B
  const std::int64_t t0 = h.now();
  h.form().keyUp(vk::F5);
  FrmMain& g = *h.game;
  EXPECT_TRUE(g.Pouzito5050);
  EXPECT_FALSE(g.N5050);
  EXPECT_FALSE(g.Zamceno);
  int removed = 0;
  for (const char* letter : {"A", "B", "C", "D"}) {
    const bool gone = !h[("lbl" + std::string(letter)).c_str()].visible();
    Element& plate = h[("img" + std::string(letter)).c_str()];
    EXPECT_EQ(plate.enabled(), !gone) << letter;
    EXPECT_EQ(plate.pointer(), gone ? Pointer::Arrow : Pointer::Hand) << letter;
    EXPECT_EQ(plate.picture(), QString(letter) + "-M");  // the plate stays, empty
    removed += gone;
  }
  EXPECT_EQ(removed, 2);
  EXPECT_TRUE(h["lblB"].visible());
  ASSERT_EQ(h.effects.played().size(), 1u);
  EXPECT_EQ(h.effects.played().back(), "50-50.wav");
  EXPECT_EQ(h.effects.log.back().timeMs, t0);
  EXPECT_EQ(h["imgN5050"].picture(), "N-5050x");
  EXPECT_FALSE(h["imgN5050"].enabled());
  EXPECT_EQ(h["imgN5050"].pointer(), Pointer::Arrow);
  EXPECT_EQ(h.clock.nextDue(), -1);  // no timer of its own

  // A removed answer takes neither its key nor a click; the survivors still do.
  const char wrongGone = !h["lblA"].visible() ? 'A' : 'C';
  h.form().keyUp(wrongGone);
  h[(std::string("img") + wrongGone).c_str()].click();
  EXPECT_TRUE(g.ZvolenaOdpoved.isEmpty());
  EXPECT_FALSE(g.Zamceno);
  h.form().keyUp('B');
  EXPECT_EQ(g.ZvolenaOdpoved, "B");
}

TEST(FiftyFifty, PlaysNoSoundOnceTheRightAnswerWasPicked) {
  GameHarness h;
  h.playTo(1);
  h.game->SpravnaOdpoved = true;
  h["imgN5050"].click();
  EXPECT_TRUE(h.game->Pouzito5050);
  EXPECT_TRUE(h.effects.played().empty());
}

}  // namespace
}  // namespace kvz
