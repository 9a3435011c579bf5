#include <gtest/gtest.h>

#include <QFileInfo>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "fakes/game_harness.h"
#include "game/round.h"
#include "lifelines/lifelines.h"
#include "lifelines/phone_reply.h"

namespace kvz::lifelines {
namespace {

using fakes::GameHarness;
using fakes::RecordingMedia;
using Op = RecordingMedia::Op;

// Many draws at a fixed seed: the right answer stays, the two removed differ, and every
// outcome comes up equally often (within a tenth, over 3 standard deviations). "x" names no answer:
// any two answers go, each of the six pairs as often.
TEST(FiftyFiftyDraw, RemovesTwoDifferentWrongAnswersEachWrongOneSurvivingAThirdOfTheTime) {
  for (const auto& [spravna, outcomes] : {std::pair{"C", 3}, {"A", 3}, {"x", 6}}) {
    MtRandom random(2024);
    std::map<int, int> seen;  // the survivor, or the removed pair
    const int runs = 6000, right = spravna[0] - 'A' + 1, e = runs / outcomes;
    for (int i = 0; i < runs; ++i) {
      const auto [n, m] = drawRemovals(random, QString::fromLatin1(spravna));
      ASSERT_TRUE(n != m && n >= 1 && n <= 4 && m >= 1 && m <= 4 && (outcomes == 6 || (n != right && m != right)));
      ++seen[outcomes == 6 ? 10 * std::min(n, m) + std::max(n, m) : 10 - n - m - right];
    }
    for (const auto& [outcome, count] : seen) EXPECT_NEAR(count, e, e / 10) << spravna << outcome;  // none missing: the rest too often
  }
}

// A removed answer takes no key.
TEST(FiftyFifty, EmptiesTwoWrongPlatesAtOnceWithItsSound) {
  GameHarness h;
  h.playTo(1);  // right answer B
  h.form().keyUp(vk::F5);
  EXPECT_EQ(h.effects.played(), std::vector<QString>{"50-50.wav"});
  int gone = 0;
  for (std::size_t i : {0, 2, 3})
    if (!h[round::kAnswers[i].text].visible()) ++gone, h.form().keyUp(vk::A + static_cast<int>(i));
  EXPECT_EQ(gone, 2);
  EXPECT_TRUE(h.game->ZvolenaOdpoved.isEmpty());
}

// The worked examples of the graph: "caption:height" of A to D (with the answers a fifty-fifty left).
TEST(PollGraph, BarsAndCaptionsOfStoredShares) {
  const std::tuple<std::array<std::int16_t, 4>, std::optional<std::array<bool, 4>>, const char*> cases[] = {
      {{47, 25, 18, 10}, {}, "47%:1128 25%:600 18%:432 10%:240"},
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
    for (const auto& bar : g.bars) got << QStringLiteral("%1:%2").arg(bar.caption).arg(bar.height) + (bar.top == 2925 - bar.height ? "" : "!");
    EXPECT_EQ(got.join(' '), expected);
  }
}

TEST(Poll, RunsItsThreePhasesAtExactTimesWithTheInputLockedThroughout) {
  GameHarness h;
  h.playTo(1);  // shares 10, 70, 15, 5
  // The graph as shown: "caption height top" of each bar whose bar and caption are visible.
  const auto shownGraph = [&h] {
    QStringList s;
    for (const std::string l : {"A", "B", "C", "D"})
      if (const Element &bar = h[("colNDiv" + l).c_str()], &label = h[("lblNDiv" + l).c_str()]; bar.visible() && label.visible())
        s << QStringLiteral("%1 %2 %3").arg(label.caption()).arg(bar.geometry().height).arg(bar.geometry().top);
    return s;
  };
  const QStringList bars{"10% 240 2685", "70% 1680 1245", "15% 360 2565", "5% 120 2805"};
  const std::int64_t t0 = h.now();
  h.form().keyUp(vk::F7);
  EXPECT_TRUE(h.music.log.back().op == Op::Stop && h.effects.played() == std::vector<QString>{"div.wav"});
  const std::tuple<std::int64_t, bool, bool, bool> steps[] = {{8249, false, false, true}, {8250, true, false, true},
      {24049, true, false, true}, {24050, true, true, true}, {25269, true, true, true}, {25270, true, true, false}};
  for (const auto& [at, graph, withBars, locked] : steps) {
    h.clock.advanceTo(t0 + at);
    EXPECT_TRUE(h["imgNDivGraf"].visible() == graph && h["imgLogo"].visible() != graph && h.game->Zamceno == locked &&
                shownGraph() == (withBars ? bars : QStringList{})) << at;
  }
  // The music again from its beginning; then a fifty-fifty leaves the graph as it is.
  EXPECT_TRUE(h.music.times(Op::SetFile).back() == t0 + 25270 && h.music.times(Op::Play).back() == t0 + 25270);
  h.form().keyUp(vk::F5);
  EXPECT_EQ(shownGraph(), bars);
}

ZaznamOtazky question(std::array<std::int16_t, 4> shares, const char* right = "B") {
  ZaznamOtazky q;
  q.Zadani = QStringLiteral("  Kolik nohou má pavouk?") + QString(200, QLatin1Char(' '));
  std::tie(q.OdpA, q.OdpB, q.OdpC, q.OdpD) = std::tuple(QStringLiteral("šest   "), "osm", " deset", QStringLiteral("dvanáct"));
  q.Spravna = QString::fromLatin1(right);
  std::tie(q.DivaciA, q.DivaciB, q.DivaciC, q.DivaciD) = std::tuple(shares[0], shares[1], shares[2], shares[3]);
  return q;
}

// When each reply k may be used (the gate of each reply), for a right or wrong suggestion at
// question q, with or without fifty-fifty.
bool replyAllowed(int k, bool right, int q, bool f) {
  switch (k) {
    case 1: case 6: case 7: case 8: case 11: case 49: case 50: return true;
    case 39: case 41: case 42: return q >= 3;
    case 2: return !f || q <= 2;
    case 3: case 40: return !f || q >= 4;
    case 9: return q >= 5;
    case 10: return !f || q == 5;
    case 12: return !f || right;
    default: return right;  // 4, 5, 13 to 38, 43 to 48
  }
}

// The pair (suggested answer, reply) must come up with odds share x shown x gate: a
// chi-square test (Wilson-Hilferty bound at p = 0.001) over many compositions at a fixed
// seed, for every question and with and without fifty-fifty (B and D left); no pair outside
// the gates, the second suggestion another answer on screen. Shares an author got wrong still
// end: a negative share counts as none; with no share at all on screen the friend picks evenly.
TEST(PhoneReply, SuggestionAndReplyFollowTheSharesAndTheGates) {
  std::vector<std::tuple<std::array<std::int16_t, 4>, const char*, int, bool>> cases = {
      {{50, 0, 50, 0}, "-", 4, true},         // both answers left have share 0 ("-" names no answer)
      {{10, 10, 10, 10}, "-", 4, false},      // sum below 100
      {{-50, 30, 0, 10}, "-", 4, false},      // a negative share
      {{32767, -32768, 0, 0}, "-", 4, false}  // extremes of the field
  };
  for (int level = 1; level <= 5; ++level)
    for (const bool f : {false, true}) cases.push_back({{40, 35, 15, 10}, "B", level, f});
  constexpr int kRuns = 12000;
  MtRandom random(7);
  PhoneTexts texts;  // shared across runs, as the window keeps them
  for (const auto& [shares, right, level, f] : cases) {
    const std::array<bool, 4> shown{!f, true, !f, true};
    std::map<std::pair<int, int>, double> seen, odds;
    for (int run = 0; run < kRuns; ++run) {
      composeCall({question(shares, right), level, f, shown}, random, texts);
      const std::size_t x = texts.TipPritele.at(0).unicode() - 'A', y = texts.TipPritele2.at(0).unicode() - 'A';
      ASSERT_TRUE(x < 4 && y < 4 && x != y && shown[x] && shown[y]) << shares[0] << " level " << level << f << texts.TipPritele.toStdString();
      ++seen[{static_cast<int>(x), texts.reply}];
    }
    double total = 0, chi2 = 0;
    const bool any = (shown[0] && shares[0] > 0) || shares[1] > 0 || (shown[2] && shares[2] > 0) || shares[3] > 0;
    for (std::size_t x = 0; x < 4; ++x)
      for (int k = 1; k <= 50; ++k)
        if (const double w = any ? std::max<int>(shares[x], 0) : 1; w > 0 && shown[x] && replyAllowed(k, x == std::size_t(right[0] - 'A'), level, f))
          total += odds[{static_cast<int>(x), k}] = w;
    for (const auto& [cell, n] : seen) EXPECT_TRUE(odds.count(cell)) << cell.first << "/" << cell.second << " at " << shares[0] << level << f;
    for (const auto& [cell, w] : odds) chi2 += (seen[cell] - kRuns * w / total) * (seen[cell] - kRuns * w / total) / (kRuns * w / total);
    const double df = static_cast<double>(odds.size()) - 1;
    EXPECT_LT(chi2, df * std::pow(1 - 2 / (9 * df) + 3.09 * std::sqrt(2 / (9 * df)), 3)) << shares[0] << " level " << level << f;
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
// at 30 s (by click, after the poll, whose graph then keeps the logo's place).
TEST(PhoneCall, RingsPicksUpTypesEndsAndGivesTheGameBackOnTime) {
  for (const bool longText : {false, true}) {
    GameHarness h;
    fakes::QuestionFields q = GameHarness::stockQuestion(1);
    if (longText) q.zadani = QByteArray(120, 'x') + " " + QByteArray(120, 'y');
    h.writeQuestion(1, 1, q);
    h.playTo(1);
    if (longText) h.form().keyUp(vk::F7), h.clock.advance(25271);
    const std::int64_t t0 = h.now(), up = t0 + 3700;
    longText ? h["imgNTel"].click() : h.form().keyUp(vk::F6);
    const QString text = h.game->lifelines().telefon.TelVypis;
    const std::string logo = longText ? "0" : "1";
    const int n = static_cast<int>(text.size());
    const std::int64_t end = longText ? up + 30000 : up + 100 * (n + 5);
    ASSERT_EQ(n + 5 > 300, longText) << n;
    // At each time: the call screen (panel, video in view), the logo, the lock, the text typed.
    const std::tuple<std::int64_t, std::string, int> steps[] = {{up - 1, "00" + logo + "1", 0}, {up, "11" + logo + "1", 0},
        {up + 100, "11" + logo + "1", 1}, {up + 100 * std::min(n, 299), "11" + logo + "1", std::min(n, 299)}, {end - 1, "11" + logo + "1", -1},
        {end, "00" + logo + "1", -1}, {end + 1249, "00" + logo + "1", -1}, {end + 1250, "00" + logo + "0", -1}};
    for (const auto& [at, screen, typed] : steps) {
      const int events = h.windows.eventRuns;
      h.clock.advanceTo(at);
      EXPECT_EQ(QStringLiteral("%1%2%3%4").arg(h["txtNTelVypis"].visible()).arg(h["WMP3"].geometry().top == 765)
                    .arg(h["imgLogo"].visible()).arg(h.game->Zamceno).toStdString(), screen) << at - t0;
      EXPECT_TRUE(typed < 0 || h["txtNTelVypis"].caption() == text.left(typed)) << at - t0;  // CR and LF typed one a tick
      EXPECT_TRUE(at != up || h.windows.eventRuns - events == 3);  // the call screen is painted before typing
    }
    EXPECT_TRUE(h["colNDivA"].visible() == longText && h.clock.nextDue() == -1);
    // Every player's operations since the call: "op file @ms after t0".
    // The effects, music and video players' operations since the call: "op file @ms after t0, " each.
    std::string ops;
    for (const RecordingMedia* m : {&h.effects, &h.music, &h.video})
      for (const RecordingMedia::Entry& e : m->log)
        if (e.timeMs >= t0) ops += QStringLiteral("%1 %2 @%3, ").arg(int(e.op)).arg(QFileInfo(e.file).fileName()).arg(e.timeMs - t0).toStdString();
    const std::string E = std::to_string(end - t0), B = std::to_string(end - t0 + 1250);
    EXPECT_EQ(ops, "0 tel.wav @0, 1 tel.wav @0, " + (longText ? "" : "2 tel.wav @" + E + ", 0 tel-end.wav @" + E + ", 1 tel-end.wav @" + E + ", ") +
                       "2 bgm.wav @0, 0 bgm.wav @" + B + ", 1 bgm.wav @" + B + ", 1 odpocet.avi @3700, 2 odpocet.avi @" + E + ", ");
  }
}

// The window closed by the window manager while the pick-up lets pending events run: the call
// stops there, nothing touches the unloaded window, every player is silent.
TEST(PhoneCall, AWindowClosedDuringThePickUpEndsTheCallThere) {
  GameHarness h;
  h.playTo(1);
  h.form().keyUp(vk::F6);
  h.windows.onProcessEvents = [&h] { h.game->Unload(); };
  const int runs = h.windows.eventRuns;
  h.clock.advance(3700);
  EXPECT_TRUE(h.game->form() == nullptr && h.windows.eventRuns - runs == 1 && h.clock.nextDue() == -1 && h.video.log.back().op == Op::Stop);
}

// A double click on the logo while the pick-up lets events run opens its box, and the phone
// timer ticks again under it, running the pick-up there. Whether the box is closed mid-call or
// held over the call's end, the first pick-up then stops: the call ends once, with the input
// opened once.
TEST(PhoneCall, ABoxOpenedDuringThePickUpNeverPicksUpASecondTime) {
  for (const std::int64_t boxOpen : {5000, 40000}) {
    SCOPED_TRACE(boxOpen);
    GameHarness h;
    h.playTo(1);
    const int runs = h.windows.eventRuns;
    h.form().keyUp(vk::F6);
    h.boxes.delays = {boxOpen};
    h.windows.onProcessEvents = [&h] { h.windows.onProcessEvents = nullptr, h["imgLogo"].doubleClick(); };
    bool openDuringCall = false;
    while (h.clock.step()) openDuringCall |= !h.game->Zamceno && h.clock.nextDue() >= 0;
    const auto plays = [](const RecordingMedia& m, const char* file) {
      const std::vector<QString> played = m.played();
      return std::count(played.begin(), played.end(), QString::fromLatin1(file));
    };
    EXPECT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.windows.eventRuns - runs, 1 + 3);  // the first pick-up stops after its box; the second runs whole
    EXPECT_EQ(plays(h.effects, "tel-end.wav"), 1);
    EXPECT_EQ(h.video.times(Op::Stop).size(), 1u);  // the video stops once, at the one end of the call
    EXPECT_EQ(plays(h.music, "bgm.wav"), 2);  // the question's music, and again after the call
    EXPECT_FALSE(openDuringCall);
    EXPECT_FALSE(h.game->Zamceno || h["txtNTelVypis"].visible() || h["Shape1"].visible());
  }
}

}  // namespace
}  // namespace kvz::lifelines
