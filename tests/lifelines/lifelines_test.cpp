#include <gtest/gtest.h>

#include <map>

#include "fakes/game_harness.h"
#include "game/round.h"
#include "lifelines/lifelines.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

// Many draws at a fixed seed: the right answer stays, the two removed differ, and every
// outcome comes up equally often (within a tenth, over 3 standard deviations). "x" names no answer:
// any two answers go, each of the six pairs as often.
TEST(FiftyFiftyDraw, RemovesTwoDifferentWrongAnswersEachWrongOneSurvivingAThirdOfTheTime) {
  for (const auto& [spravna, outcomes] : {std::pair{"C", 3}, {"A", 3}, {"x", 6}}) {
    MtRandom random(2024);
    std::map<int, int> seen;  // the survivor, or the removed pair
    const int runs = 6000, right = spravna[0] - 'A' + 1, e = runs / outcomes;
    for (int i = 0; i < runs; ++i) {
      const auto [n, m] = lifelines::drawRemovals(random, QString::fromLatin1(spravna));
      ASSERT_TRUE(n != m && n >= 1 && n <= 4 && m >= 1 && m <= 4 && (outcomes == 6 || (n != right && m != right)));
      ++seen[outcomes == 6 ? 10 * std::min(n, m) + std::max(n, m) : 10 - n - m - right];
    }
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(outcomes)) << spravna;
    for (const auto& [outcome, count] : seen) EXPECT_NEAR(count, e, e / 10) << spravna << outcome;
  }
}

// The sound only when the right answer was not picked; a removed answer takes no key.
TEST(FiftyFifty, EmptiesTwoWrongPlatesAtOnceWithItsSoundUnlessTheRightAnswerWasPicked) {
  for (bool rightPicked : {false, true}) {
    GameHarness h;
    h.playTo(1);  // right answer B
    h.game->SpravnaOdpoved = rightPicked;
    h.form().keyUp(vk::F5);
    EXPECT_EQ(h.effects.played(), rightPicked ? std::vector<QString>{} : std::vector<QString>{"50-50.wav"});
    EXPECT_EQ(h.clock.nextDue(), -1);  // no timer of its own
    int gone = 0;
    for (std::size_t i : {0, 2, 3})
      if (!h[round::kAnswers[i].text].visible()) ++gone, h.form().keyUp('A' + static_cast<int>(i));
    EXPECT_TRUE(gone == 2 && h.game->ZvolenaOdpoved.isEmpty());
  }
}

// The Part's worked examples: "caption:height" of A to D ("" left: no fifty-fifty).
TEST(PollGraph, BarsAndCaptionsOfStoredShares) {
  const std::tuple<std::array<std::int16_t, 4>, const char*, const char*> cases[] = {
      {{47, 25, 18, 10}, "", "47%:1128 25%:600 18%:432 10%:240"},
      {{47, 25, 18, 10}, "AC", "64%:1536 0%:0 36%:864 0%:0"},
      {{20, 30, 10, 40}, "BD", "0%:0 45%:1080 0%:0 55%:1320"},
      {{10, 20, 30, 40}, "CD", "0%:0 0%:0 45%:1080 55%:1320"},  // the odd point up
      {{50, 50, 50, 1}, "", "50%:1200 50%:1200 50%:1200 1%:24"},
      // An author's typo: shown as stored, the bar clamped to the window, never an overflow.
      {{1366, 122, -1, -1366}, "", "1366%:2925 122%:2925 -1%:0 -1366%:0"},
      {{32767, 32767, 32767, 32767}, "AB", "65534%:2925 65534%:2925 0%:0 0%:0"},
  };
  for (const auto& [shares, left, expected] : cases) {
    std::array<bool, 4> visible{};
    for (const char* l = left; *l; ++l) visible[static_cast<std::size_t>(*l - 'A')] = true;
    const lifelines::Graph g = lifelines::drawGraph(shares, *left ? &visible : nullptr);
    QStringList got;
    for (const auto& bar : g.bars) got << QStringLiteral("%1:%2").arg(bar.caption).arg(bar.height) + (bar.top == 2925 - bar.height ? "" : "!");
    EXPECT_EQ(got.join(' '), expected) << left;
  }
}

TEST(Poll, RunsItsThreePhasesAtExactTimesWithTheInputLockedThroughout) {
  GameHarness h;
  h.playTo(1);  // shares 10, 70, 15, 5
  // The graph as shown: "caption height top" of each bar whose bar and caption are visible.
  const auto shownGraph = [&h] {
    QStringList s;
    for (const std::string l : {"A", "B", "C", "D"})
      if (const Element &bar = h[("colNDiv" + l).c_str()], &label = h[("lblNDiv" + l).c_str()]; bar.visible() && label.visible()) s << QStringLiteral("%1 %2 %3").arg(label.caption()).arg(bar.geometry().height).arg(bar.geometry().top);
    return s;
  };
  const std::int64_t t0 = h.now();
  h.form().keyUp(vk::F7);
  EXPECT_TRUE(h.music.log.back().op == Op::Stop && h.effects.played() == std::vector<QString>{"div.wav"});
  const std::tuple<std::int64_t, bool, bool, bool> steps[] = {
      {8249, false, false, true}, {8250, true, false, true}, {24049, true, false, true},
      {24050, true, true, true},  {25269, true, true, true}, {25270, true, true, false}};
  for (const auto& [at, graph, bars, locked] : steps) {
    h.clock.advanceTo(t0 + at);
    EXPECT_TRUE(h["imgNDivGraf"].visible() == graph && h["imgLogo"].visible() != graph && h.game->Zamceno == locked &&
                shownGraph().size() == (bars ? 4 : 0)) << at;
  }
  const QStringList bars{"10% 240 2685", "70% 1680 1245", "15% 360 2565", "5% 120 2805"};
  EXPECT_EQ(shownGraph(), bars);
  // The music again from its beginning; then a fifty-fifty leaves the graph as it is.
  const auto& m = h.music.log;
  EXPECT_TRUE(m.size() >= 2 && m[m.size() - 2].op == Op::SetFile && m.back().op == Op::Play && m.back().timeMs == t0 + 25270);
  h.form().keyUp(vk::F5);
  EXPECT_EQ(shownGraph(), bars);
}

}  // namespace
}  // namespace kvz
