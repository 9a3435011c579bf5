#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::QuestionSpec;

struct Info {
  std::int16_t hodnota;
  std::int16_t korekce;
  QString hodnotaText;
  QString korekceText;
};

class F10Box : public ::testing::TestWithParam<Info> {};

TEST_P(F10Box, ShowsValueIdAuthorAndProofreadingAtFullWidth) {
  const Info& p = GetParam();
  GameHarness h(0);
  QuestionSpec q = GameHarness::stockQuestion(1);
  q.hodnota = p.hodnota;
  q.korekce = p.korekce;
  q.id = "X";
  q.autor = "Jana Novakova";
  h.writeQuestion(1, 1, q);
  h.playTo(1);
  h.form().keyUp(vk::F10);
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  const auto& box = h.boxes.shown[0];
  EXPECT_EQ(box.text, "hodnota: " + p.hodnotaText + "\r\nID: X  \r\nautor: Jana Novakova" + QString(17, ' ') +
                          "\r\nkorekce: " + p.korekceText);
  EXPECT_EQ(box.title, "QST infobox");
  EXPECT_EQ(box.icon, MsgIcon::Information);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(QuestionInfo, F10Box,
                         ::testing::Values(Info{3, -1, "03", "provedena"}, Info{10, 0, "10", "neprovedena"},
                                           Info{0, 1, "00", "neprovedena"}, Info{123, -2, "123", "neprovedena"},
                                           Info{-5, -1, "-05", "provedena"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(QuestionInfo, LogoBoxShowsThePathAuthorAndProofreadingWithoutAColon) {
  GameHarness h(0);
  QuestionSpec q = GameHarness::stockQuestion(1);
  q.autor = "Nov\xE1k \xC8"  "ech";  // "Novák Čech"
  q.korekce = 0;
  const QString path = h.writeQuestion(1, 1, q);
  h.playTo(1);
  h["imgLogo"].doubleClick();
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  const auto& box = h.boxes.shown[0];
  EXPECT_EQ(box.text, path + "\r\n\r\nautor: " + QString::fromUtf8("Novák Čech") + QString(20, ' ') +
                          "\r\nkorekce neprovedena");
  EXPECT_EQ(box.title, QString::fromUtf8("= info o otázce ="));
  EXPECT_EQ(box.icon, MsgIcon::Information);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
}

TEST(QuestionInfo, LogoAnswersWhileInputIsLockedButF10DoesNot) {
  GameHarness h;
  h.game->Show();
  h.clock.advanceTo(1000);  // during the reveal
  h.form().keyUp(vk::F10);
  EXPECT_TRUE(h.boxes.shown.empty());
  h["imgLogo"].doubleClick();
  EXPECT_EQ(h.boxes.shown.size(), 1u);

  h.finishReveal();
  h.form().keyUp(GameHarness::rightKey(1));  // after a pick
  h.form().keyUp(vk::F10);
  EXPECT_EQ(h.boxes.shown.size(), 1u);
  h["imgLogo"].doubleClick();
  EXPECT_EQ(h.boxes.shown.size(), 2u);
  EXPECT_TRUE(h.boxes.shown[1].text.contains("01-001.qst"));
}

TEST(QuestionInfo, NeitherBoxChangesTheGame) {
  GameHarness h;
  h.playTo(2);
  FrmMain& g = *h.game;
  const auto snapshot = [&] {
    QString s = QStringLiteral("%1 %2 %3%4%5 %6 %7 %8 %9")
                    .arg(g.HodnotaOtazky)
                    .arg(g.Zamceno)
                    .arg(g.N5050)
                    .arg(g.NDivaci)
                    .arg(g.NTelefon)
                    .arg(g.DuvodKonce, g.ZvolenaOdpoved)
                    .arg(h.clock.nextDue())
                    .arg(g.KrokZobrazeni);
    for (const char* name : {"imgA", "imgB", "imgC", "imgD", "imgVyhra", "imgStupnice"}) s += h[name].picture();
    for (const char* name : {"lblA", "lblB", "lblC", "lblD", "imgA", "imgN5050"})
      s += QString::number(h[name].visible()) + QString::number(h[name].enabled());
    return s;
  };
  const QString before = snapshot();
  h.form().keyUp(vk::F10);
  h["imgLogo"].doubleClick();
  EXPECT_EQ(h.boxes.shown.size(), 2u);
  EXPECT_EQ(snapshot(), before);
  h.answerRightAndGoOn();
  EXPECT_EQ(g.HodnotaOtazky, 3);
}

}  // namespace
}  // namespace kvz
