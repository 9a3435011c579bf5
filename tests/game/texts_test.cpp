#include <gtest/gtest.h>

#include <functional>

#include "fakes/game_harness.h"

// What a question's texts look like on screen and in its information boxes.
namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::QuestionSpec;

// A game over one question 1 made from the stock one by `edit`, shown and revealed.
void playEdited(GameHarness& h, const std::function<void(QuestionSpec&)>& edit, QString* path = nullptr) {
  QuestionSpec q = GameHarness::stockQuestion(1);
  edit(q);
  const QString written = h.writeQuestion(1, 1, q);
  if (path) *path = written;
  h.playTo(1);
}

// The harness measures 100 twips per character: 78 characters make exactly 7800 twips.
TEST(Presentation, TheQuestionFitsOnOneOrTwoCentredLines) {
  const Rect oneLine{900, 4920, 7800, 480}, twoLines{900, 4800, 7800, 840};
  const std::tuple<QByteArray, QString, bool> cases[] = {
      {"Kdo?", "Kdo?", false},
      {QByteArray(78, 'x'), QString(78, 'x'), false},
      {QByteArray(79, 'x'), QString(79, 'x'), true},
      {"   " + QByteArray(78, 'y') + "   ", QString(78, 'y'), false},  // blanks around are trimmed first
      {QByteArray(250, 'z'), QString(250, 'z'), true},                  // the view clips beyond two lines
      {QByteArray(250, ' '), QString(), false}};
  for (const auto& [zadani, shown, wraps] : cases) {
    GameHarness h(0);
    playEdited(h, [&](QuestionSpec& q) { q.zadani = zadani; });
    const Element& label = h["lblZadani"];
    EXPECT_EQ(label.caption(), shown);
    EXPECT_EQ(label.geometry(), wraps ? twoLines : oneLine) << zadani.size();
    EXPECT_EQ(label.look().wordWrap, wraps) << zadani.size();
    EXPECT_TRUE(label.visible() && label.look().align == Align::Center);
    if (!wraps) continue;
    h.writeQuestion(2, 1, GameHarness::stockQuestion(2));  // the next question is laid out afresh
    h.answerRightAndGoOn();
    EXPECT_EQ(label.geometry(), oneLine);
    EXPECT_FALSE(label.look().wordWrap);
  }
}

// Answers are trimmed of blanks only and decoded as Central European; the record keeps the
// full width. The logo's box shows the path and the author with his stored width.
TEST(Presentation, AnswerTextsAndTheLogoBoxDecodeCentralEuropean) {
  GameHarness h(0);
  QString path;
  playEdited(h, [](QuestionSpec& q) {
    q.odp = {"  \xE8\x61j  ", "\tTab", QByteArray(50, 'w'), ""};  // "čaj"
    q.autor = "Nov\xE1k \xC8" "ech";  // "Novák Čech"
    q.korekce = 0;
  }, &path);
  EXPECT_EQ(h["lblA"].caption() + '|' + h["lblB"].caption() + '|' + h["lblD"].caption(), QString::fromUtf8("čaj|\tTab|"));
  EXPECT_EQ(h["lblC"].caption(), QString(50, 'w'));
  EXPECT_EQ(h.game->Otazka.OdpA.size(), 50);
  h["imgLogo"].doubleClick();
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  EXPECT_EQ(h.boxes.shown[0].text, path + "\r\n\r\nautor: " + QString::fromUtf8("Novák Čech") + QString(20, ' ') +
                                       "\r\nkorekce neprovedena");
  EXPECT_EQ(h.boxes.shown[0].title, QString::fromUtf8("= info o otázce ="));
}

// The value with two digits; the author and the identifier keep their stored width.
TEST(QuestionInfo, F10BoxShowsValueIdAuthorAndProofreading) {
  const std::tuple<std::int16_t, std::int16_t, const char*, const char*> cases[] = {
      {3, -1, "03", "provedena"}, {10, 0, "10", "neprovedena"}, {0, 1, "00", "neprovedena"},
      {123, -2, "123", "neprovedena"}, {-5, -1, "-05", "provedena"}};
  for (const auto& [hodnota, korekce, hodnotaText, korekceText] : cases) {
    GameHarness h(0);
    playEdited(h, [&](QuestionSpec& q) { q.hodnota = hodnota, q.korekce = korekce, q.id = "X"; });
    h.form().keyUp(vk::F10);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text, QStringLiteral("hodnota: %1\r\nID: X  \r\nautor: Jana Novakova%2\r\nkorekce: %3")
                                         .arg(hodnotaText, QString(17, ' '), korekceText));
    EXPECT_EQ(h.boxes.shown[0].title, "QST infobox");
    EXPECT_EQ(h.boxes.shown[0].buttons, MsgButtons::Ok);
  }
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
