#include <gtest/gtest.h>

#include "assets/picture_texts.h"
#include "game/spoken.h"

// What a screen reader is told: the names of the pictures that show texts and the friend's
// reply. The announcements are checked in the timelines that make them: the reveal, pick,
// verdict, winnings and Esc in game_test, fifty-fifty and the poll in lifelines_test.
namespace kvz {
namespace {

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

}  // namespace
}  // namespace kvz
