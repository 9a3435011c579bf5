#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::QuestionSpec;

struct Info {
  std::int16_t hodnota;
  std::int16_t korekce;
  const char* hodnotaText;
  const char* korekceText;
};

class F10Box : public ::testing::TestWithParam<Info> {};

// The author and the identifier keep their stored width (trailing blanks and all).
TEST_P(F10Box, ShowsValueWithTwoDigitsIdAuthorAndProofreading) {
  const Info& p = GetParam();
  GameHarness h(0);
  QuestionSpec q = GameHarness::stockQuestion(1);
  q.hodnota = p.hodnota;
  q.korekce = p.korekce;
  q.id = "X";
  h.writeQuestion(1, 1, q);
  h.playTo(1);
  h.form().keyUp(vk::F10);
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  EXPECT_EQ(h.boxes.shown[0].text, QStringLiteral("hodnota: %1\r\nID: X  \r\nautor: Jana Novakova%2\r\nkorekce: %3")
                                       .arg(p.hodnotaText, QString(17, ' '), p.korekceText));
  EXPECT_EQ(h.boxes.shown[0].title, "QST infobox");
  EXPECT_EQ(h.boxes.shown[0].buttons, MsgButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(QuestionInfo, F10Box,
                         ::testing::Values(Info{3, -1, "03", "provedena"}, Info{10, 0, "10", "neprovedena"},
                                           Info{0, 1, "00", "neprovedena"}, Info{123, -2, "123", "neprovedena"},
                                           Info{-5, -1, "-05", "provedena"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(QuestionInfo, LogoBoxShowsThePathAndTheCentralEuropeanAuthor) {
  GameHarness h(0);
  QuestionSpec q = GameHarness::stockQuestion(1);
  q.autor = "Nov\xE1k \xC8" "ech";  // "Novák Čech"
  q.korekce = 0;
  const QString path = h.writeQuestion(1, 1, q);
  h.playTo(1);
  h["imgLogo"].doubleClick();
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  EXPECT_EQ(h.boxes.shown[0].text, path + "\r\n\r\nautor: " + QString::fromUtf8("Novák Čech") + QString(20, ' ') +
                                       "\r\nkorekce neprovedena");
  EXPECT_EQ(h.boxes.shown[0].title, QString::fromUtf8("= info o otázce ="));
}

// F10 waits for the open input; the logo answers always, and neither box changes the game:
// a box held open during the reveal lets it go on, to the millisecond.
TEST(QuestionInfo, LogoAnswersWhileLockedF10DoesNotAndNeitherChangesTheGame) {
  GameHarness h;
  h.game->Show();
  h.clock.advanceTo(1000);
  h.form().keyUp(vk::F10);
  EXPECT_TRUE(h.boxes.shown.empty());
  h.boxes.delays = {2500};
  h["imgLogo"].doubleClick();
  EXPECT_EQ(h.now(), 3500);
  EXPECT_EQ(h.game->KrokZobrazeni, 4);
  h.clock.advanceTo(5000);
  EXPECT_EQ(h.gate(), "open");
  h.form().keyUp(vk::F10);
  h.form().keyUp(GameHarness::rightKey(1));
  h["imgLogo"].doubleClick();
  EXPECT_EQ(h.boxes.shown.size(), 3u);
  EXPECT_EQ(h.game->ZvolenaOdpoved, "B");
  EXPECT_EQ(h.clock.nextDue(), 7000);
}

}  // namespace
}  // namespace kvz
