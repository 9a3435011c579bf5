#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::QuestionSpec;

// The harness measures 100 twips per character: 78 characters make exactly 7800 twips.
struct Layout {
  const char* name;
  QByteArray zadani;
  QString shown;
  Rect geometry;
  bool wraps;
  friend void PrintTo(const Layout& p, std::ostream* os) { *os << p.name; }
};

class QuestionLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(QuestionLayout, FitsTheQuestionOnOneOrTwoCentredLines) {
  const Layout& p = GetParam();
  GameHarness h(0);
  QuestionSpec q = GameHarness::stockQuestion(1);
  q.zadani = p.zadani;
  h.writeQuestion(1, 1, q);
  h.game->Show();
  const Element& label = h["lblZadani"];
  EXPECT_EQ(label.caption(), p.shown);
  EXPECT_EQ(label.geometry(), p.geometry);
  EXPECT_EQ(label.look().align, Align::Center);
  EXPECT_EQ(label.look().wordWrap, p.wraps);
  EXPECT_TRUE(label.visible());
}

const Rect kOneLine{900, 4920, 7800, 480};
const Rect kTwoLines{900, 4800, 7800, 840};

INSTANTIATE_TEST_SUITE_P(
    Presentation, QuestionLayout,
    ::testing::Values(
        Layout{"Short", "Kdo?", "Kdo?", kOneLine, false},
        Layout{"ExactlyTheThreshold", QByteArray(78, 'x'), QString(78, 'x'), kOneLine, false},
        Layout{"OneCharacterOver", QByteArray(79, 'x'), QString(79, 'x'), kTwoLines, true},
        // Blanks around the text are trimmed before it is measured.
        Layout{"BlanksAroundDoNotCount", "   " + QByteArray(78, 'y') + "   ", QString(78, 'y'), kOneLine, false},
        // A text longer than two lines keeps the two-line frame; the view clips the rest.
        Layout{"LongerThanTwoLines", QByteArray(250, 'z'), QString(250, 'z'), kTwoLines, true},
        Layout{"OnlyBlanks", QByteArray(250, ' '), QString(), kOneLine, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Presentation, TheNextQuestionIsLaidOutAfreshFromItsOwnText) {
  GameHarness h;
  QuestionSpec first = GameHarness::stockQuestion(1);
  first.zadani = QByteArray(120, 'q');
  h.writeQuestion(1, 1, first);
  h.playTo(2);
  EXPECT_EQ(h["lblZadani"].caption(), "Otazka 2");
  EXPECT_EQ(h["lblZadani"].geometry(), kOneLine);
  EXPECT_FALSE(h["lblZadani"].look().wordWrap);
}

TEST(Presentation, AnswerTextsAreTrimmedOfBlanksOnlyAndDecodedAsCentralEuropean) {
  GameHarness h(0);
  QuestionSpec q = GameHarness::stockQuestion(1);
  q.odp = {"  \xE8\x61j  ", "\tTab", QByteArray(50, 'w'), ""};  // "čaj"
  h.writeQuestion(1, 1, q);
  h.playTo(1);
  EXPECT_EQ(h["lblA"].caption(), QString::fromUtf8("čaj"));
  EXPECT_EQ(h["lblB"].caption(), "\tTab");
  EXPECT_EQ(h["lblC"].caption(), QString(50, 'w'));
  EXPECT_EQ(h["lblD"].caption(), QString());
  // The record itself keeps the full width.
  EXPECT_EQ(h.game->Otazka.OdpA.size(), 50);
}

}  // namespace
}  // namespace kvz
