#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "lifelines/phone_reply.h"

namespace kvz::lifelines {
namespace {

ZaznamOtazky question(std::array<std::int16_t, 4> shares, const char* right = "B") {
  ZaznamOtazky q;
  q.Zadani = QStringLiteral("  Kolik nohou má pavouk?") + QString(200, QLatin1Char(' '));
  std::tie(q.OdpA, q.OdpB, q.OdpC, q.OdpD) = std::tuple(QStringLiteral("šest   "), "osm", " deset", QStringLiteral("dvanáct"));
  q.Spravna = QString::fromLatin1(right);
  std::tie(q.DivaciA, q.DivaciB, q.DivaciC, q.DivaciD) = std::tuple(shares[0], shares[1], shares[2], shares[3]);
  return q;
}

const std::array<bool, 4> kAll{true, true, true, true};
const std::array<bool, 4> kBandD{false, true, false, true};  // what a fifty-fifty left

// When each reply k may be used (the Part's gates), for a right or wrong suggestion at
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
// seed, for every question and with and without fifty-fifty; no pair outside the gates.
TEST(PhoneReply, SuggestionAndReplyFollowTheSharesAndTheGates) {
  const std::array<std::int16_t, 4> shares{40, 35, 15, 10};
  constexpr int kRuns = 12000;
  MtRandom random(7);
  PhoneTexts texts;  // shared across runs, as the window keeps them
  for (int level = 1; level <= 5; ++level)
    for (const bool f : {false, true}) {
      const std::array<bool, 4> shown = f ? kBandD : kAll;
      std::map<std::pair<int, int>, double> seen, odds;
      for (int run = 0; run < kRuns; ++run) {
        composeCall({question(shares), level, f, shown}, random, texts);
        ++seen[{texts.TipPritele.at(0).unicode() - 'A', texts.reply}];
      }
      double total = 0, chi2 = 0;
      for (std::size_t x = 0; x < 4; ++x)
        for (int k = 1; k <= 50; ++k)
          if (shown[x] && replyAllowed(k, x == 1, level, f)) total += odds[{static_cast<int>(x), k}] = shares[x];
      for (const auto& [cell, n] : seen) EXPECT_TRUE(odds.count(cell)) << cell.first << " reply " << cell.second << " level " << level << f;
      for (const auto& [cell, share] : odds) {
        const double expected = kRuns * share / total;
        chi2 += (seen[cell] - expected) * (seen[cell] - expected) / expected;
      }
      const double df = static_cast<double>(odds.size()) - 1;
      EXPECT_LT(chi2, df * std::pow(1 - 2 / (9 * df) + 3.09 * std::sqrt(2 / (9 * df)), 3)) << level << f;
    }
}

TEST(PhoneReply, TheTranscriptIsQuestionAnswersTenBlanksAndReplyOnFourLines) {
  MtRandom random(1);
  PhoneTexts t;
  composeCall({question({10, 70, 15, 5}), 3, false, kAll}, random, t);
  EXPECT_EQ(t.TelMoznosti, QStringLiteral("A: šest,  B: osm,  C: deset,  D: dvanáct"));
  composeCall({question({10, 70, 15, 5}), 3, true, kBandD}, random, t);
  EXPECT_FALSE(t.OdpovedPritele.isEmpty());
  EXPECT_EQ(t.TelVypis, QStringLiteral("Kolik nohou má pavouk?\r\nB:  osm nebo D:  dvanáct\r\n%1\r\n").arg(QString(10, ' ')) + t.OdpovedPritele);
}

// Shares an author got wrong: the composition still ends, both suggestions name different
// answers on screen, and follow the larger shares (a negative one counts as none; with no
// share at all on screen the friend picks evenly).
TEST(PhoneReply, BadSharesStillGiveAReplyAboutAnAnswerOnScreen) {
  const std::tuple<std::array<std::int16_t, 4>, std::array<bool, 4>, std::array<double, 4>> cases[] = {
      {{50, 0, 50, 0}, kBandD, {0, 0.5, 0, 0.5}},          // both answers left have share 0
      {{10, 10, 10, 10}, kAll, {0.25, 0.25, 0.25, 0.25}},  // sum below 100
      {{-50, 30, 0, 10}, kAll, {0, 0.75, 0, 0.25}},        // a negative share
      {{32767, -32768, 0, 0}, kAll, {1, 0, 0, 0}},         // extremes of the field
  };
  constexpr int kRuns = 4000;  // the right letter "-" names no answer: every suggestion meets the same replies
  for (const auto& [shares, shown, odds] : cases) {
    MtRandom random(3);
    PhoneTexts t;
    std::array<int, 4> picks{};
    for (int run = 0; run < kRuns; ++run) {
      composeCall({question(shares, "-"), 4, shown != kAll, shown}, random, t);
      const std::size_t x = t.TipPritele.at(0).unicode() - 'A', y = t.TipPritele2.at(0).unicode() - 'A';
      ASSERT_TRUE(x < 4 && y < 4 && x != y && shown[x] && shown[y]) << t.TipPritele.toStdString() << t.TipPritele2.toStdString();
      ++picks[x];
    }
    for (std::size_t x = 0; x < 4; ++x) EXPECT_NEAR(picks[x] / double(kRuns), odds[x], 0.03) << x << " shares " << shares[0];
  }
}

}  // namespace
}  // namespace kvz::lifelines
