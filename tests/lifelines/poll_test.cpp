#include <gtest/gtest.h>

#include "fakes/game_harness.h"
#include "lifelines/lifelines.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;
using Shares = std::array<std::int16_t, 4>;

struct GraphCase {
  const char* what;
  Shares shares;
  const char* left;  // the answers a fifty-fifty left, or "" for none
  std::array<const char*, 4> captions;
  std::array<int, 4> heights;
};

// The tops follow from the heights: every bar stands on the baseline at 2925 twips.
TEST(PollGraph, BarsAndCaptionsOfStoredShares) {
  const GraphCase cases[] = {
      {"plain", {47, 25, 18, 10}, "", {"47%", "25%", "18%", "10%"}, {1128, 600, 432, 240}},
      {"A and C left", {47, 25, 18, 10}, "AC", {"64%", "0%", "36%", "0%"}, {1536, 0, 864, 0}},
      {"B and D left, even sum", {20, 30, 10, 40}, "BD", {"0%", "45%", "0%", "55%"}, {0, 1080, 0, 1320}},
      {"all to one", {100, 0, 0, 0}, "", {"100%", "0%", "0%", "0%"}, {2400, 0, 0, 0}},
      {"not adding up", {50, 50, 50, 1}, "", {"50%", "50%", "50%", "1%"}, {1200, 1200, 1200, 24}},
      {"odd sum to the later", {10, 20, 30, 40}, "CD", {"0%", "0%", "45%", "55%"}, {0, 0, 1080, 1320}},
      // An author's typo: shown as stored, the bar clamped to the window, never an overflow.
      {"too large", {1366, 122, -1, -1366}, "", {"1366%", "122%", "-1%", "-1366%"}, {2925, 2925, 0, 0}},
      {"overflowing sum", {32767, 32767, 32767, 32767}, "AB", {"65534%", "65534%", "0%", "0%"},
       {2925, 2925, 0, 0}},
  };
  for (const GraphCase& c : cases) {
    std::array<bool, 4> visible{};
    for (const char* l = c.left; *l; ++l) visible[static_cast<std::size_t>(*l - 'A')] = true;
    const lifelines::Graph g = lifelines::drawGraph(c.shares, *c.left ? &visible : nullptr);
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(g.bars[i].caption, c.captions[i]) << c.what << " " << i;
      EXPECT_EQ(g.bars[i].height, c.heights[i]) << c.what << " " << i;
      EXPECT_EQ(g.bars[i].top, 2925 - c.heights[i]) << c.what << " " << i;
    }
  }
  // The removed votes split in two halves that keep the total, the odd point going up.
  Shares s{30, 25, 0, 45};
  std::array<bool, 4> bd{false, true, false, true};
  const lifelines::Graph g = lifelines::drawGraph(s, &bd);
  EXPECT_EQ(g.SoucetOdebranych, 30);
  EXPECT_EQ(g.PulkaDolni, 15);
  EXPECT_EQ(g.PulkaHorni, 15);
}

// What the poll's graph shows on screen, bar by bar: "caption height top".
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
  EXPECT_EQ(h.music.log.back().timeMs, t0);
  EXPECT_EQ(h.effects.played(), std::vector<QString>{"div.wav"});
  EXPECT_EQ(h["imgNDiv"].picture(), "N-divx");

  struct Step {
    std::int64_t at;
    bool graph, bars, locked;
  };
  const Step steps[] = {{8249, false, false, true},  {8250, true, false, true},  {24049, true, false, true},
                        {24050, true, true, true},   {25269, true, true, true},  {25270, true, true, false}};
  for (const Step& s : steps) {
    h.clock.advanceTo(t0 + s.at);
    EXPECT_EQ(h["imgNDivGraf"].visible(), s.graph) << s.at;
    EXPECT_EQ(h["imgLogo"].visible(), !s.graph) << s.at;
    EXPECT_EQ(h["colNDivA"].visible(), s.bars) << s.at;
    EXPECT_EQ(h.game->Zamceno, s.locked) << s.at;
  }
  EXPECT_EQ(shownGraph(h), (QStringList{"47% 1128 1797", "25% 600 2325", "18% 432 2493", "10% 240 2685"}));
  // The music comes back from its beginning; the poll is spent.
  EXPECT_EQ(h.music.played().back(), "bgm.wav");
  EXPECT_EQ(h.music.log.back().timeMs, t0 + 25270);
  EXPECT_EQ(h.music.log[h.music.log.size() - 2].op, Op::SetFile);
  EXPECT_FALSE(h.timer("tmrNDivaci").running());
  EXPECT_FALSE(h["imgNDiv"].enabled());
  EXPECT_TRUE(h["imgN5050"].enabled());

  // A fifty-fifty afterwards leaves the graph as it is; the graph goes with the winnings.
  h.form().keyUp(vk::F5);
  EXPECT_EQ(shownGraph(h).size(), 4);
  EXPECT_EQ(shownGraph(h)[1], "25% 600 2325");
  h.form().keyUp('B');
  while (!h["imgVyhra"].visible()) h.clock.step();
  EXPECT_FALSE(h["imgNDivGraf"].visible());
  EXPECT_TRUE(shownGraph(h).isEmpty());
  EXPECT_TRUE(h["imgLogo"].visible());
}

TEST(Poll, AfterFiftyFiftySharesOutTheRemovedVotesAndKeepsTheRemovedAnswersOut) {
  GameHarness h;
  fakes::QuestionSpec q = GameHarness::stockQuestion(1);
  q.divaci = {47, 25, 18, 10};
  h.writeQuestion(1, 1, q);
  h.playTo(1);
  h.form().keyUp(vk::F5);
  h.form().keyUp(vk::F7);
  h.clock.advance(25270);
  ASSERT_FALSE(h.game->Zamceno);
  QStringList expected;
  int shown = 0;
  for (const char* l : {"A", "B", "C", "D"}) shown += h[("lbl" + std::string(l)).c_str()].visible();
  EXPECT_EQ(shown, 2);  // the removed answers stay hidden after the poll unlocks
  const QStringList graph = shownGraph(h);
  int total = 0;
  for (const QString& bar : graph) total += bar.section('%', 0, 0).toInt();
  EXPECT_EQ(total, 100);
  for (const char* l : {"A", "B", "C", "D"})
    if (!h[("lbl" + std::string(l)).c_str()].visible()) {
      EXPECT_EQ(h[("lblNDiv" + std::string(l)).c_str()].caption(), "0%") << l;
      EXPECT_FALSE(h[("img" + std::string(l)).c_str()].enabled()) << l;
    }
  // The graph goes when the next question is loaded.
  h.form().keyUp('B');
  while (h.game->HodnotaOtazky == 1) h.clock.step();
  EXPECT_FALSE(h["imgNDivGraf"].visible());
  EXPECT_TRUE(h["imgLogo"].visible());
}

}  // namespace
}  // namespace kvz
