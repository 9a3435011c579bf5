#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <map>
#include <set>

#include "lifelines/phone_reply.h"

namespace kvz::lifelines {
namespace {

ZaznamOtazky question(std::array<std::int16_t, 4> shares, const char* right = "B") {
  ZaznamOtazky q;
  q.Zadani = QStringLiteral("  Kolik nohou má pavouk?") + QString(200, QLatin1Char(' '));
  q.OdpA = QStringLiteral("šest   ");
  q.OdpB = QStringLiteral("osm");
  q.OdpC = QStringLiteral(" deset");
  q.OdpD = QStringLiteral("dvanáct");
  q.Spravna = QString::fromLatin1(right);
  std::tie(q.DivaciA, q.DivaciB, q.DivaciC, q.DivaciD) = std::tuple(shares[0], shares[1], shares[2], shares[3]);
  return q;
}

const std::array<bool, 4> kAll{true, true, true, true};
const std::array<bool, 4> kBandD{false, true, false, true};  // what a fifty-fifty left

// When each reply may be used, transcribed from the gate table by reply numbers.
bool replyAllowed(int k, bool right, int q, bool f) {
  static const std::set<int> always{1, 6, 7, 8, 11, 49, 50};
  static const std::set<int> helpless{39, 41, 42};
  if (always.count(k)) return true;
  if (helpless.count(k)) return q >= 3;
  switch (k) {
    case 2: return !f || q <= 2;
    case 3: return !f || q >= 4;
    case 9: return q >= 5;
    case 10: return !f || q == 5;
    case 12: return !f || right;
    case 40: return !f || q >= 4;
    default: return right;  // 4, 5, 13 to 38, 43 to 48
  }
}

// One composition's outcome: the suggested letter (0..3) and the reply.
std::pair<int, int> outcome(const PhoneTexts& t) { return {t.TipPritele.at(0).unicode() - 'A', t.reply}; }

// The pair (suggestion, reply) must come up with odds share x shown x gate: a chi-square
// test over many compositions at a fixed seed, for every question and with and without
// fifty-fifty. Along the way every reply must name only answers on screen, never one twice.
TEST(PhoneReply, SuggestionAndReplyFollowTheSharesAndTheGates) {
  const std::array<std::int16_t, 4> shares{40, 35, 15, 10};
  const ZaznamOtazky q = question(shares);
  constexpr int kRuns = 12000;
  MtRandom random(7);
  PhoneTexts texts;  // shared across runs, as the window keeps them
  for (int level = 1; level <= 5; ++level)
    for (const bool f : {false, true}) {
      const std::array<bool, 4> shown = f ? kBandD : kAll;
      std::map<std::pair<int, int>, int> seen;
      for (int run = 0; run < kRuns; ++run) {
        composeCall({q, level, f, shown}, random, texts);
        const auto cell = outcome(texts);
        ++seen[cell];
        ASSERT_TRUE(shown[static_cast<std::size_t>(cell.first)]) << texts.OdpovedPritele.toStdString();
        if (texts.OdpovedPritele.contains(QStringLiteral(" nebo "))) {
          const int second = texts.TipPritele2.at(0).unicode() - 'A';
          ASSERT_NE(second, cell.first);
          ASSERT_TRUE(shown[static_cast<std::size_t>(second)]) << "level " << level << " f " << f;
        }
      }
      // Every allowed cell (answer x, reply k) is as likely as its answer's share.
      std::map<std::pair<int, int>, double> odds;
      double total = 0;
      for (int x = 0; x < 4; ++x)
        for (int k = 1; k <= 50; ++k)
          if (shown[static_cast<std::size_t>(x)] && replyAllowed(k, x == 1, level, f))
            total += odds[{x, k}] = shares[static_cast<std::size_t>(x)];
      for (const auto& [cell, n] : seen)
        EXPECT_EQ(odds.count(cell) ? 0 : n, 0) << "answer " << cell.first << " reply " << cell.second << " level " << level << " f " << f;
      double chi2 = 0;
      for (const auto& [cell, share] : odds) {
        const double expected = kRuns * share / total, n = seen.count(cell) ? seen[cell] : 0;
        chi2 += (n - expected) * (n - expected) / expected;
      }
      // Wilson-Hilferty bound of the chi-square distribution at p = 0.001.
      const double df = static_cast<double>(odds.size()) - 1, z = 3.09;
      const double bound = df * std::pow(1 - 2 / (9 * df) + z * std::sqrt(2 / (9 * df)), 3);
      EXPECT_LT(chi2, bound) << "level " << level << " fifty-fifty " << f;
    }
}

TEST(PhoneReply, TheTranscriptIsQuestionAnswersTenBlanksAndReplyOnFourLines) {
  MtRandom random(1);
  PhoneTexts t;
  composeCall({question({10, 70, 15, 5}), 3, false, kAll}, random, t);
  EXPECT_EQ(t.TelOtazka, QStringLiteral("Kolik nohou má pavouk?"));
  EXPECT_EQ(t.TelMoznosti, QStringLiteral("A: šest,  B: osm,  C: deset,  D: dvanáct"));
  const QStringList lines = t.TelVypis.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], t.TelOtazka);
  EXPECT_EQ(lines[2], QString(10, QLatin1Char(' ')));
  EXPECT_EQ(lines[3], t.OdpovedPritele);
  EXPECT_FALSE(t.OdpovedPritele.isEmpty());

  composeCall({question({10, 70, 15, 5}), 3, true, kBandD}, random, t);
  EXPECT_EQ(t.TelMoznosti, QStringLiteral("B:  osm nebo D:  dvanáct"));
}

// Shares an author got wrong: the composition still ends, names only answers on screen,
// never a number, and follows the larger shares (a negative one counts as none; with no
// share at all on screen the friend picks evenly).
TEST(PhoneReply, BadSharesStillGiveAReplyAboutAnAnswerOnScreen) {
  struct Case {
    std::array<std::int16_t, 4> shares;
    std::array<bool, 4> shown;
    std::array<double, 4> odds;  // expected share of suggestions per answer
  };
  const Case cases[] = {
      {{50, 0, 50, 0}, kBandD, {0, 0.5, 0, 0.5}},           // both answers left have share 0
      {{10, 10, 10, 10}, kAll, {0.25, 0.25, 0.25, 0.25}},   // sum below 100
      {{-50, 30, 0, 10}, kAll, {0, 0.75, 0, 0.25}},         // a negative share
      {{32767, -32768, 0, 0}, kAll, {1, 0, 0, 0}},          // extremes of the field
      {{100, 0, 0, 0}, kAll, {1, 0, 0, 0}},                 // a sure answer: the friend names it
  };
  // The right letter names no answer, so every suggestion meets the same replies.
  constexpr int kRuns = 4000;
  for (const Case& c : cases) {
    MtRandom random(3);
    PhoneTexts t;
    std::array<int, 4> picks{};
    for (int run = 0; run < kRuns; ++run) {
      composeCall({question(c.shares, "-"), 4, c.shown != kAll, c.shown}, random, t);
      const int x = outcome(t).first;
      ASSERT_TRUE(x >= 0 && x < 4 && c.shown[static_cast<std::size_t>(x)]) << t.TipPritele.toStdString();
      ++picks[static_cast<std::size_t>(x)];
      ASSERT_NE(t.TipPritele2.left(1), t.TipPritele.left(1));
      ASSERT_TRUE(c.shown[static_cast<std::size_t>(t.TipPritele2.at(0).unicode() - 'A')]);
    }
    for (std::size_t x = 0; x < 4; ++x)
      EXPECT_NEAR(picks[x] / double(kRuns), c.odds[x], 0.03) << "answer " << x << " shares " << c.shares[0];
  }
}

}  // namespace
}  // namespace kvz::lifelines
