#include <gtest/gtest.h>

#include "assets/picture_texts.h"
#include "fakes/game_harness.h"
#include "game/spoken.h"

// What a screen reader is told: the names of the pictures that show texts, and each moment of
// a question announced when it happens, at its exact virtual millisecond.
namespace kvz {
namespace {

using fakes::GameHarness;

TEST(PictureText, NamesAPictureByTheTextItShowsInAnyLetterCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"C00", "0 Kč"}, {"c05", "10 000 Kč"}, {"S01", "1: 1.000 Kč"}, {"S15", "15: 10,000.000 Kč"},
      {"NOVA", "nová hra"}, {"KONEC", "ukončit"},
      {"N-5050", "50:50, k dispozici"}, {"N-divx", "pomoc diváků, použito"}, {"N-TELX", "přítel na telefonu, použito"},
      // Pictures without a text, and names of nothing: read as nothing, never as garbage.
      {"A-M", ""}, {"LOGO", ""}, {"C06", ""}, {"S00", ""}, {"S16", ""}, {"N-5050XX", ""}, {"", ""}};
  for (const auto& [name, text] : cases) EXPECT_EQ(pictureText(QString::fromLatin1(name)), QString::fromUtf8(text)) << name;
}

TEST(FriendsReply, IsTheTypedLineAfterTheBlankOneOrNothingBeforeIt) {
  const QString blanks(10, QLatin1Char(' '));
  const std::pair<QString, QString> cases[] = {
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks + "\r\nJe to B.", "Přítel: Je to B."},
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks + "\r\nJe t", "Přítel: Je t"},  // cut off by the limit
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks + "\r\n", ""},
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks, ""},
      {"Kol", ""}, {"", ""}};
  for (const auto& [typed, said] : cases) EXPECT_EQ(spoken::friendsReply(typed), said) << typed.toStdString();
}

// Each announcement with its time, from the moment it listens.
struct Heard {
  std::vector<std::pair<std::int64_t, QString>> said;
  void listen(GameHarness& h) {
    h.form().onAnnounce = [this, &h](const QString& text) { said.emplace_back(h.now(), text); };
  }
};

// The question and each answer as they appear (the first question's is told once its window
// listens), the pick, the verdict at the end of the suspense and the amount with the winnings
// plate; the end of the game said with it.
TEST(Announcements, TellEveryMomentOfAQuestionWhenItHappens) {
  struct Case {
    int level;
    bool right;
    std::int64_t verdictAt, winningsAt;
    const char* verdict;
    const char* winnings;
  };
  const Case cases[] = {
      {1, true, 2000, 4200, "Správně!", "Výhra 1 000 Kč"},
      {1, false, 2000, 5000, "Špatně. Správná odpověď je B: 1-B", "Výhra 0 Kč. Konec hry."},
      {5, true, 6000, 8200, "Správně!", "Výhra 10 000 Kč. Konec hry."},
  };
  for (const Case& c : cases) {
    GameHarness h;
    Heard heard;
    std::vector<std::pair<std::int64_t, QString>> expected;
    if (c.level == 1) {
      h.game->Show();
      EXPECT_EQ(h.form().takeUnheard(), "Otazka 1");
      heard.listen(h);
      h.finishReveal();
      expected = {{2000, "A: 1-A"}, {3000, "B: 1-B"}, {4000, "C: 1-C"}, {5000, "D: 1-D"}};
    } else {
      h.playTo(c.level);
      heard.listen(h);
    }
    const std::int64_t pick = h.now();
    const int key = c.right ? GameHarness::rightKey(c.level) : GameHarness::wrongKey(c.level);
    h.form().keyUp(key);
    h.clock.advance(c.winningsAt + 1);
    expected.insert(expected.end(), {{pick, QStringLiteral("Volíte %1: %2-%1").arg(QChar(key)).arg(c.level)},
                                     {pick + c.verdictAt, QString::fromUtf8(c.verdict)},
                                     {pick + c.winningsAt, QString::fromUtf8(c.winnings)}});
    EXPECT_EQ(heard.said, expected) << "level " << c.level << (c.right ? " right" : " wrong");
  }
}

// Esc confirmed keeps the last amount and says so with the end; the poll and fifty-fifty say
// what is left and what the audience voted, at the moment the graph is drawn.
TEST(Announcements, TellTheKeptAmountTheAnswersLeftAndThePollResult) {
  GameHarness h;
  h.playTo(2);
  Heard heard;
  heard.listen(h);
  h.form().keyUp(vk::F5);
  ASSERT_EQ(heard.said.size(), 1u);
  QStringList left;
  for (const char* name : {"lblA", "lblB", "lblC", "lblD"})
    if (h[name].visible()) left << spokenName(h[name]);
  EXPECT_EQ(left.size(), 2);
  EXPECT_EQ(heard.said[0].second, "50:50, zbývá " + left.join(" a "));
  EXPECT_EQ(spokenName(h["imgN5050"]), "50:50, použito");

  const std::int64_t click = h.now();
  h.form().keyUp(vk::F7);
  h.clock.advance(25271);
  ASSERT_EQ(heard.said.size(), 2u);
  EXPECT_EQ(heard.said[1].first, click + 8250 + 15800);
  EXPECT_TRUE(heard.said[1].second.startsWith("Hlasování diváků: A: ")) << heard.said[1].second.toStdString();
  EXPECT_EQ(heard.said[1].second.count('%'), 4);

  h.boxes.answers = {MsgResult::Yes};
  h.form().keyUp(vk::Escape);
  ASSERT_EQ(heard.said.size(), 3u);
  EXPECT_EQ(heard.said[2], std::pair(h.now(), QStringLiteral("Výhra 1 000 Kč. Konec hry.")));
}

}  // namespace
}  // namespace kvz
