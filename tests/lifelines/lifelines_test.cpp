#include <gtest/gtest.h>

#include <map>

#include "fakes/game_harness.h"
#include "game/round.h"
#include "lifelines/lifelines.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

// Which answer texts show, "1" or "0" for A to D.
QString answersShown(const GameHarness& h) {
  QString s;
  for (const auto& a : round::kAnswers) s += h[a.text].visible() ? '1' : '0';
  return s;
}

// Many draws at a fixed seed: the right answer stays, the two removed differ, and every
// outcome comes up equally often (chi-square below its 99.9 % quantile). "x" names no answer:
// any two answers go, each of the six pairs as often.
TEST(FiftyFiftyDraw, RemovesTwoDifferentWrongAnswersEachWrongOneSurvivingAThirdOfTheTime) {
  for (const auto& [spravna, outcomes, critical] : {std::tuple{"C", 3, 13.82}, {"A", 3, 13.82}, {"x", 6, 20.52}}) {
    MtRandom random(2024);
    std::map<int, int> seen;  // the survivor, or the removed pair
    const int runs = 6000;
    for (int i = 0; i < runs; ++i) {
      const auto [n, m] = lifelines::drawRemovals(random, QString::fromLatin1(spravna));
      ASSERT_TRUE(n != m && n >= 1 && n <= 4 && m >= 1 && m <= 4);
      const int right = spravna[0] - 'A' + 1;
      ASSERT_TRUE(outcomes == 6 || (n != right && m != right));
      ++seen[outcomes == 6 ? 10 * std::min(n, m) + std::max(n, m) : 10 - n - m - right];
    }
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(outcomes)) << spravna;
    const double expected = static_cast<double>(runs) / outcomes;
    double chi2 = 0;
    for (const auto& [outcome, count] : seen) chi2 += (count - expected) * (count - expected) / expected;
    EXPECT_LT(chi2, critical) << spravna;
  }
}

TEST(FiftyFifty, EmptiesTwoWrongPlatesAtOnceWithItsSoundUnlessTheRightAnswerWasPicked) {
  for (bool rightPicked : {false, true}) {
    GameHarness h;
    h.playTo(1);  // right answer B
    h.game->SpravnaOdpoved = rightPicked;
    h.form().keyUp(vk::F5);
    const QString shown = answersShown(h);
    EXPECT_TRUE(shown.count('1') == 2 && shown[1] == '1') << shown.toStdString();
    EXPECT_EQ(h.gate(), "open");  // the removed plates closed, the input open
    EXPECT_EQ(h.effects.played(), rightPicked ? std::vector<QString>{} : std::vector<QString>{"50-50.wav"});
    EXPECT_TRUE(h.game->Pouzito5050 && !h.game->N5050 && h["imgN5050"].picture() == "N-5050x");
    EXPECT_EQ(h.clock.nextDue(), -1);  // no timer of its own
    h.form().keyUp(shown[0] == '0' ? 'A' : 'C');  // a removed answer takes no key; the one left does
    EXPECT_TRUE(h.game->ZvolenaOdpoved.isEmpty());
    h.form().keyUp('B');
    EXPECT_EQ(h.game->ZvolenaOdpoved, "B");
  }
}

// Captions and heights; every top is the baseline 2925 less the height. "" left: no fifty-fifty.
TEST(PollGraph, BarsAndCaptionsOfStoredShares) {
  struct Case {
    std::array<std::int16_t, 4> shares;
    const char* left;
    QStringList captions;
    std::array<int, 4> heights;
  };
  const Case cases[] = {
      {{47, 25, 18, 10}, "", {"47%", "25%", "18%", "10%"}, {1128, 600, 432, 240}},
      {{47, 25, 18, 10}, "AC", {"64%", "0%", "36%", "0%"}, {1536, 0, 864, 0}},
      {{20, 30, 10, 40}, "BD", {"0%", "45%", "0%", "55%"}, {0, 1080, 0, 1320}},
      {{10, 20, 30, 40}, "CD", {"0%", "0%", "45%", "55%"}, {0, 0, 1080, 1320}},  // the odd point up
      {{100, 0, 0, 0}, "", {"100%", "0%", "0%", "0%"}, {2400, 0, 0, 0}},
      {{50, 50, 50, 1}, "", {"50%", "50%", "50%", "1%"}, {1200, 1200, 1200, 24}},
      // An author's typo: shown as stored, the bar clamped to the window, never an overflow.
      {{1366, 122, -1, -1366}, "", {"1366%", "122%", "-1%", "-1366%"}, {2925, 2925, 0, 0}},
      {{32767, 32767, 32767, 32767}, "AB", {"65534%", "65534%", "0%", "0%"}, {2925, 2925, 0, 0}},
  };
  for (const Case& c : cases) {
    std::array<bool, 4> visible{};
    for (const char* l = c.left; *l; ++l) visible[static_cast<std::size_t>(*l - 'A')] = true;
    const lifelines::Graph g = lifelines::drawGraph(c.shares, *c.left ? &visible : nullptr);
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(g.bars[i].caption, c.captions[static_cast<int>(i)]) << c.shares[0] << c.left << i;
      EXPECT_EQ(g.bars[i].height, c.heights[i]) << c.shares[0] << c.left << i;
      EXPECT_EQ(g.bars[i].top, 2925 - c.heights[i]) << c.shares[0] << c.left << i;
    }
  }
}

// The graph as shown: "caption height top" of each bar whose bar and caption are visible.
QStringList shownGraph(const GameHarness& h) {
  QStringList s;
  for (const char* l : {"A", "B", "C", "D"}) {
    const Element& bar = h[("colNDiv" + std::string(l)).c_str()];
    const Element& label = h[("lblNDiv" + std::string(l)).c_str()];
    if (bar.visible() && label.visible())
      s << QStringLiteral("%1 %2 %3").arg(label.caption()).arg(bar.geometry().height).arg(bar.geometry().top);
  }
  return s;
}

TEST(Poll, RunsItsThreePhasesAtExactTimesWithTheInputLockedThroughout) {
  GameHarness h;
  fakes::QuestionSpec q = GameHarness::stockQuestion(1);
  q.divaci = {47, 25, 18, 10};
  h.writeQuestion(1, 1, q);
  h.playTo(1);
  const std::int64_t t0 = h.now();
  h.form().keyUp(vk::F7);
  EXPECT_EQ(h.music.log.back().op, Op::Stop);
  EXPECT_EQ(h.effects.played(), std::vector<QString>{"div.wav"});
  const std::tuple<std::int64_t, bool, bool, bool> steps[] = {
      {8249, false, false, true}, {8250, true, false, true}, {24049, true, false, true},
      {24050, true, true, true},  {25269, true, true, true}, {25270, true, true, false}};
  for (const auto& [at, graph, bars, locked] : steps) {
    h.clock.advanceTo(t0 + at);
    EXPECT_EQ(h["imgNDivGraf"].visible(), graph) << at;
    EXPECT_NE(h["imgLogo"].visible(), graph) << at;
    EXPECT_EQ(shownGraph(h).size(), bars ? 4 : 0) << at;
    EXPECT_EQ(h.game->Zamceno, locked) << at;
  }
  EXPECT_EQ(shownGraph(h), (QStringList{"47% 1128 1797", "25% 600 2325", "18% 432 2493", "10% 240 2685"}));
  // The music again from its beginning; then a fifty-fifty leaves the graph as it is.
  const auto& m = h.music.log;
  EXPECT_TRUE(m.size() >= 2 && m[m.size() - 2].op == Op::SetFile && m.back().op == Op::Play && m.back().timeMs == t0 + 25270);
  h.form().keyUp(vk::F5);
  EXPECT_EQ(shownGraph(h)[1], "25% 600 2325");
  // The graph stays until the winnings.
  h.form().keyUp('B');
  while (!h["imgVyhra"].visible()) {
    EXPECT_EQ(shownGraph(h).size(), 4);
    h.clock.step();
  }
  EXPECT_TRUE(shownGraph(h).isEmpty() && !h["imgNDivGraf"].visible() && h["imgLogo"].visible());
}

}  // namespace
}  // namespace kvz
