#include <gtest/gtest.h>

#include <QFileInfo>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <vector>

#include "assets/picture_texts.h"
#include "fakes/game_harness.h"
#include "game/round.h"
#include "lifelines/lifelines.h"
#include "lifelines/phone_reply.h"

namespace kvz::lifelines {
namespace {

using fakes::GameHarness;
using fakes::RecordingMedia;
using Op = RecordingMedia::Op;
using Pair = std::pair<int, int>;

// Many draws at a fixed seed: exactly the pairs without the right answer come up ("x" names no
// answer: any two), each as often as the others (within a tenth, over 3 standard deviations).
TEST(FiftyFiftyDraw, RemovesTwoDifferentWrongAnswersEachPairEquallyOften) {
  const std::pair<const char*, std::set<Pair>> cases[] = {{"C", {{1, 2}, {1, 4}, {2, 4}}},
                                                          {"A", {{2, 3}, {2, 4}, {3, 4}}},
                                                          {"x", {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}}};
  for (const auto& [spravna, pairs] : cases) {
    MtRandom random(2024);
    std::map<Pair, int> seen;
    const int runs = 6000, e = runs / static_cast<int>(pairs.size());
    for (int i = 0; i < runs; ++i) {
      const auto [n, m] = drawRemovals(random, QString::fromLatin1(spravna));
      ++seen[{std::min(n, m), std::max(n, m)}];
    }
    std::set<Pair> outcomes;
    for (const auto& [pair, count] : seen) {
      outcomes.insert(pair);
      EXPECT_NEAR(count, e, e / 10) << spravna << " " << pair.first << pair.second;
    }
    EXPECT_EQ(outcomes, pairs) << spravna;
  }
}

// What is left is told, and the icon is read as spent. That the emptied plates take no key is
// InputGate's hidden answer and the gate below.
TEST(FiftyFifty, EmptiesTwoWrongPlatesAtOnceWithItsSoundAndTellsWhatIsLeft) {
  GameHarness h;
  h.playTo(1);  // right answer B
  QStringList said, left;
  h.form().onAnnounce = [&](const QString& text) { said << text; };
  h.form().keyUp(vk::F5);
  EXPECT_EQ(h.effects.played(), std::vector<QString>{"50-50.wav"});
  for (const round::Answer& a : round::kAnswers)
    if (h[a.text].visible()) left << spokenName(h[a.text]);
  EXPECT_EQ(left.size(), 2);
  EXPECT_TRUE(left.contains("B: 1-B"));
  EXPECT_EQ(said, QStringList{"50:50, zbývá " + left.join(" a ")});
  EXPECT_EQ(spokenName(h["imgN5050"]), "50:50, použito");
  EXPECT_EQ(h.gate(), "open");
}

// The worked examples of the graph: "caption:height" of A to D (with the answers a fifty-fifty left;
// without one, the Poll's bars).
TEST(PollGraph, BarsAndCaptionsOfStoredShares) {
  const std::tuple<std::array<std::int16_t, 4>, std::optional<std::array<bool, 4>>, const char*> cases[] = {
      {{47, 25, 18, 10}, {{1, 0, 1, 0}}, "64%:1536 0%:0 36%:864 0%:0"},
      {{20, 30, 10, 40}, {{0, 1, 0, 1}}, "0%:0 45%:1080 0%:0 55%:1320"},
      {{10, 20, 30, 40}, {{0, 0, 1, 1}}, "0%:0 0%:0 45%:1080 55%:1320"},  // the odd point up
      // An author's typo: shown as stored, the bar clamped to the window, never an overflow.
      {{1366, 122, -1, -1366}, {}, "1366%:2925 122%:2925 -1%:0 -1366%:0"},
      {{32767, 32767, 32767, 32767}, {{1, 1, 0, 0}}, "65534%:2925 65534%:2925 0%:0 0%:0"},
  };
  for (const auto& [shares, left, expected] : cases) {
    const Graph g = drawGraph(shares, left ? &*left : nullptr);
    QStringList got;
    for (const auto& bar : g.bars) got << QStringLiteral("%1:%2").arg(bar.caption).arg(bar.height) + (bar.top == kGraphBaseline - bar.height ? "" : "!");
    EXPECT_EQ(got.join(' '), expected);
  }
}

TEST(Poll, RunsItsThreePhasesAtExactTimesWithTheInputLockedThroughout) {
  GameHarness h;
  h.playTo(1);  // shares 10, 70, 15, 5
  // The graph, the logo and the lock, then "caption height top" of each bar shown with its caption.
  const auto state = [&h] {
    QStringList s{QStringLiteral("graph %1 logo %2 locked %3").arg(h["imgNDivGraf"].visible()).arg(h["imgLogo"].visible()).arg(h.game->Zamceno)};
    for (const std::string l : {"A", "B", "C", "D"})
      if (const Element &bar = h[("colNDiv" + l).c_str()], &label = h[("lblNDiv" + l).c_str()]; bar.visible() && label.visible())
        s << QStringLiteral("%1 %2 %3").arg(label.caption()).arg(bar.geometry().height).arg(bar.geometry().top);
    return s.join(", ");
  };
  const QString bars = ", 10% 240 2685, 70% 1680 1245, 15% 360 2565, 5% 120 2805";
  std::vector<std::pair<std::int64_t, QString>> said;
  h.form().onAnnounce = [&](const QString& text) { said.emplace_back(h.now(), text); };
  const std::int64_t t0 = h.now();
  h.form().keyUp(vk::F7);
  // The music stopping for the poll: game/check_e2e_game.py hears it start again after it.
  EXPECT_EQ(h.effects.played(), std::vector<QString>{"div.wav"});
  const std::pair<std::int64_t, QString> steps[] = {
      {kPollEmptyGraphMs - 1, "graph 0 logo 1 locked 1"}, {kPollEmptyGraphMs, "graph 1 logo 0 locked 1"},
      {kPollBarsAtMs - 1, "graph 1 logo 0 locked 1"},     {kPollBarsAtMs, "graph 1 logo 0 locked 1" + bars},
      {kPollMusicAtMs - 1, "graph 1 logo 0 locked 1" + bars}, {kPollMusicAtMs, "graph 1 logo 0 locked 0" + bars}};
  for (const auto& [at, expected] : steps) {
    h.clock.advanceTo(t0 + at);
    EXPECT_EQ(state(), expected) << at;
  }
  EXPECT_EQ(said, (std::vector<std::pair<std::int64_t, QString>>{{t0 + kPollBarsAtMs, "Hlasování diváků: A: 10%, B: 70%, C: 15%, D: 5%"}}));
  // The music again from its beginning; then a fifty-fifty leaves the graph as it is.
  EXPECT_EQ(h.music.times(Op::SetFile).back(), t0 + kPollMusicAtMs);
  EXPECT_EQ(h.music.times(Op::Play).back(), t0 + kPollMusicAtMs);
  h.form().keyUp(vk::F5);
  EXPECT_EQ(state(), "graph 1 logo 0 locked 0" + bars);
}

ZaznamOtazky question(std::array<std::int16_t, 4> shares, const char* right = "B") {
  ZaznamOtazky q;
  q.Zadani = QStringLiteral("  Kolik nohou má pavouk?") + QString(200, QLatin1Char(' '));
  std::tie(q.OdpA, q.OdpB, q.OdpC, q.OdpD) = std::tuple(QStringLiteral("šest   "), "osm", " deset", QStringLiteral("dvanáct"));
  q.Spravna = QString::fromLatin1(right);
  std::tie(q.DivaciA, q.DivaciB, q.DivaciC, q.DivaciD) = std::tuple(shares[0], shares[1], shares[2], shares[3]);
  return q;
}

// Many compositions at a fixed seed, for every question with and without fifty-fifty (B and D
// left), and for shares an author got wrong. The suggestion of reply 1, which every gate lets
// through, follows the shares of the answers on screen (chi-square at p = 0.001): a negative
// share counts as none, and with no share on screen the friend picks evenly. The second
// suggestion is another answer on screen. One reply of each kind of gate (when a reply may be
// used, for a right or a wrong suggestion at question q, with or without fifty-fifty) comes up
// exactly where its gate lets it.
TEST(PhoneReply, SuggestionFollowsTheSharesOnScreenAndEachReplyItsGate) {
  using Gate = bool (*)(bool right, int q, bool f);
  const std::pair<int, Gate> kinds[] = {
      {1, [](bool, int, bool) { return true; }},             {4, [](bool right, int, bool) { return right; }},
      {2, [](bool, int q, bool f) { return !f || q <= 2; }}, {3, [](bool, int q, bool f) { return !f || q >= 4; }},
      {9, [](bool, int q, bool) { return q >= 5; }},         {10, [](bool, int q, bool f) { return !f || q == 5; }},
      {12, [](bool right, int, bool f) { return !f || right; }}, {39, [](bool, int q, bool) { return q >= 3; }},
      {40, [](bool, int q, bool f) { return !f || q >= 4; }}};
  using Shares = std::array<std::int16_t, 4>;
  std::vector<std::tuple<Shares, bool, int, std::array<int, 4>>> cases = {
      {{50, 0, 50, 0}, true, 4, {0, 1, 0, 1}},        {{10, 10, 10, 10}, false, 4, {1, 1, 1, 1}},
      {{-50, 30, 0, 10}, false, 4, {0, 30, 0, 10}},  {{32767, -32768, 0, 0}, false, 4, {1, 0, 0, 0}}};
  for (int level = 1; level <= 5; ++level)
    for (const bool f : {false, true}) cases.push_back({{40, 35, 15, 10}, f, level, {f ? 0 : 40, 35, f ? 0 : 15, 10}});
  const double chiSquareLimit[] = {0, 10.83, 13.82, 16.27};  // by degrees of freedom
  MtRandom random(7);
  PhoneTexts texts;  // shared across runs, as the window keeps them
  for (const auto& [shares, f, level, odds] : cases) {
    SCOPED_TRACE(testing::Message() << shares[0] << " " << shares[1] << " at question " << level << (f ? " after 50:50" : ""));
    const std::array<bool, 4> shown{!f, true, !f, true};
    std::set<std::pair<int, bool>> replies;  // (reply, suggestion right)
    std::array<int, 4> seen{};
    int badSecond = 0;
    for (int run = 0; run < 12000; ++run) {
      composeCall({question(shares), level, f, shown}, random, texts);
      const int x = texts.TipPritele.isEmpty() ? -1 : texts.TipPritele[0].unicode() - 'A';
      const int y = texts.TipPritele2.isEmpty() ? -1 : texts.TipPritele2[0].unicode() - 'A';
      ASSERT_LT(static_cast<unsigned>(x), 4u) << texts.TipPritele.toStdString();
      badSecond += y < 0 || y > 3 || y == x || !shown[static_cast<std::size_t>(y)];
      replies.insert({texts.reply, x == 1});
      if (texts.reply == 1) ++seen[static_cast<std::size_t>(x)];
    }
    EXPECT_EQ(badSecond, 0);
    const int sum = std::accumulate(odds.begin(), odds.end(), 0), total = std::accumulate(seen.begin(), seen.end(), 0);
    double chiSquare = 0;
    int cells = 0;
    for (std::size_t x = 0; x < 4; ++x) {
      if (odds[x] == 0) {
        EXPECT_EQ(seen[x], 0) << "answer " << x;
        continue;
      }
      const double expected = static_cast<double>(total) * odds[x] / sum;
      chiSquare += (seen[x] - expected) * (seen[x] - expected) / expected;
      ++cells;
    }
    EXPECT_LE(chiSquare, chiSquareLimit[cells - 1]);
    if (shares[0] != 40) continue;  // the gates need a right and a wrong answer with a share
    for (const auto& [reply, gate] : kinds)
      for (const bool right : {true, false})
        EXPECT_EQ(replies.count({reply, right}), gate(right, level, f) ? 1u : 0u) << "reply " << reply << (right ? " right" : " wrong");
  }
}

TEST(PhoneReply, TheTranscriptIsQuestionAnswersTenBlanksAndReplyOnFourLines) {
  MtRandom random(1);
  PhoneTexts t;
  composeCall({question({10, 70, 15, 5}), 3, false, {true, true, true, true}}, random, t);
  EXPECT_EQ(t.TelMoznosti, QStringLiteral("A: šest,  B: osm,  C: deset,  D: dvanáct"));
  composeCall({question({10, 70, 15, 5}), 3, true, {false, true, false, true}}, random, t);
  EXPECT_EQ(t.TelVypis, QStringLiteral("Kolik nohou má pavouk?\r\nB:  osm nebo D:  dvanáct\r\n%1\r\n").arg(QString(10, ' ')) + t.OdpovedPritele);
}

// A short transcript is typed out and ends with the end sound (by key); a long one is cut off
// at its longest (by click, after the poll, whose graph then keeps the logo's place).
TEST(PhoneCall, RingsPicksUpTypesEndsAndGivesTheGameBackOnTime) {
  for (const bool longText : {false, true}) {
    SCOPED_TRACE(longText ? "long" : "short");
    GameHarness h;
    ZaznamOtazky q = GameHarness::stockQuestion(1);
    if (longText) q.Zadani = QString(120, u'x') + u' ' + QString(120, u'y');
    h.writeQuestion(1, 1, q);
    h.playTo(1);
    if (longText) {
      h.form().keyUp(vk::F7);
      h.clock.advance(kPollMusicAtMs + 1);
    }
    const std::int64_t t0 = h.now(), up = t0 + kCallPickUpMs;
    longText ? h["imgNTel"].click() : h.form().keyUp(vk::F6);
    const QString text = h.game->lifelines().telefon.TelVypis;
    const std::string logo = longText ? "0" : "1";
    const int n = static_cast<int>(text.size()), most = kCallLongestMs / kTypingMs;
    const std::int64_t end = longText ? up + kCallLongestMs : up + kTypingMs * (n + 5);
    ASSERT_EQ(n + 5 > most, longText) << n;
    // At each time: the call screen (panel, video in view), the logo, the lock, the text typed.
    const std::int64_t typedAll = up + kTypingMs * std::min(n, most - 1);
    const std::tuple<std::int64_t, std::string, int> steps[] = {{up - 1, "00" + logo + "1", 0}, {up, "11" + logo + "1", 0},
        {up + kTypingMs, "11" + logo + "1", 1}, {typedAll, "11" + logo + "1", std::min(n, most - 1)}, {end - 1, "11" + logo + "1", -1},
        {end, "00" + logo + "1", -1}, {end + kCallReturnMs - 1, "00" + logo + "1", -1}, {end + kCallReturnMs, "00" + logo + "0", -1}};
    for (const auto& [at, screen, typed] : steps) {
      const int events = h.windows.eventRuns;
      h.clock.advanceTo(at);
      EXPECT_EQ(QStringLiteral("%1%2%3%4").arg(h["txtNTelVypis"].visible()).arg(h["WMP3"].geometry().top != kVideoParkedTop)
                    .arg(h["imgLogo"].visible()).arg(h.game->Zamceno).toStdString(), screen) << at - t0;
      if (typed >= 0) {
        EXPECT_EQ(h["txtNTelVypis"].caption(), text.left(typed)) << at - t0;  // CR and LF typed one a tick
      }
      if (at == up) {
        EXPECT_EQ(h.windows.eventRuns - events, 3);  // the call screen is painted before typing
      }
    }
    EXPECT_EQ(h["colNDivA"].visible(), longText);
    EXPECT_EQ(h.clock.nextDue(), -1);
    // The effects, music and video players' operations since the call: "op file @ms after t0, " each.
    std::string ops;
    for (const RecordingMedia* m : {&h.effects, &h.music, &h.video})
      for (const RecordingMedia::Entry& e : m->log)
        if (e.timeMs >= t0) ops += QStringLiteral("%1 %2 @%3, ").arg(int(e.op)).arg(QFileInfo(e.file).fileName()).arg(e.timeMs - t0).toStdString();
    const std::string E = std::to_string(end - t0), B = std::to_string(end - t0 + kCallReturnMs);
    EXPECT_EQ(ops, "0 tel.wav @0, 1 tel.wav @0, " + (longText ? "" : "2 tel.wav @" + E + ", 0 tel-end.wav @" + E + ", 1 tel-end.wav @" + E + ", ") +
                       "2 bgm.wav @0, 0 bgm.wav @" + B + ", 1 bgm.wav @" + B + ", 1 odpocet.avi @" + std::to_string(kCallPickUpMs) +
                       ", 2 odpocet.avi @" + E + ", ");
  }
}

// Pending events run while the pick-up waits: the window manager closes the window (the call
// stops there, nothing touches the unloaded window, every player is silent), or a double click
// on the logo opens its box and the phone timer ticks again under it, running the pick-up there.
// Whether the box is closed mid-call or held over the call's end, the first pick-up then stops:
// the call ends once, with the input opened once.
TEST(PhoneCall, EventsDuringThePickUpNeverPickUpASecondTime) {
  for (const std::int64_t boxOpen : {0, 5000, 40000}) {  // 0: the window is closed instead
    SCOPED_TRACE(boxOpen);
    GameHarness h;
    h.playTo(1);
    const int runs = h.windows.eventRuns;
    h.form().keyUp(vk::F6);
    h.boxes.delays = {boxOpen};
    h.windows.onProcessEvents = [&h, boxOpen] {
      h.windows.onProcessEvents = nullptr;
      boxOpen ? h["imgLogo"].doubleClick() : h.game->Unload();
    };
    bool openDuringCall = false;
    while (h.clock.step()) openDuringCall |= !h.game->Zamceno && h.clock.nextDue() >= 0;
    // Closed, the first pick-up stops at its events; with the box, after it, and the second runs whole.
    EXPECT_EQ(h.windows.eventRuns - runs, boxOpen ? 1 + 3 : 1);
    EXPECT_EQ(h.video.times(Op::Stop).size(), 1u);  // the video stops once, at the one end of the call
    EXPECT_FALSE(openDuringCall);
    if (boxOpen == 0) {
      EXPECT_EQ(h.game->form(), nullptr);
      continue;
    }
    EXPECT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(std::ranges::count(h.effects.played(), QStringLiteral("tel-end.wav")), 1);
    EXPECT_EQ(std::ranges::count(h.music.played(), QStringLiteral("bgm.wav")), 2);  // the question's, and again after the call
    for (const char* name : {"txtNTelVypis", "Shape1"}) EXPECT_FALSE(h[name].visible()) << name;
    EXPECT_EQ(h.gate(), "open");
  }
}

}  // namespace
}  // namespace kvz::lifelines
