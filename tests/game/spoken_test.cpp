#include <gtest/gtest.h>

#include "assets/picture_texts.h"
#include "fakes/game_harness.h"
#include "game/spoken.h"
#include "lifelines/durations.h"

// What a screen reader is told: the names of the pictures that show texts, the friend's reply,
// and what the lifelines and Esc announce. The reveal, pick, verdict and winnings are told in
// the game's own timelines (game_test).
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

// Esc confirmed keeps the last amount and says so with the end; the poll and fifty-fifty say
// what is left and what the audience voted, at the moment the graph is drawn.
TEST(Announcements, TellTheKeptAmountTheAnswersLeftAndThePollResult) {
  GameHarness h;
  h.playTo(2);
  std::vector<std::pair<std::int64_t, QString>> said;
  h.form().onAnnounce = [&](const QString& text) { said.emplace_back(h.now(), text); };
  h.form().keyUp(vk::F5);
  ASSERT_EQ(said.size(), 1u);
  QStringList left;
  for (const char* name : {"lblA", "lblB", "lblC", "lblD"})
    if (h[name].visible()) left << spokenName(h[name]);
  EXPECT_EQ(left.size(), 2);
  EXPECT_EQ(said[0].second, "50:50, zbývá " + left.join(" a "));
  EXPECT_EQ(spokenName(h["imgN5050"]), "50:50, použito");

  const std::int64_t click = h.now();
  h.form().keyUp(vk::F7);
  h.clock.advance(lifelines::kPollMusicAtMs + 1);
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[1].first, click + lifelines::kPollBarsAtMs);
  EXPECT_TRUE(said[1].second.startsWith("Hlasování diváků: A: ")) << said[1].second.toStdString();
  EXPECT_EQ(said[1].second.count('%'), 4);

  h.boxes.answers = {MsgResult::Yes};
  h.form().keyUp(vk::Escape);
  ASSERT_EQ(said.size(), 3u);
  EXPECT_EQ(said[2], std::pair(h.now(), QStringLiteral("Výhra 1 000 Kč. Konec hry.")));
}

}  // namespace
}  // namespace kvz
