#pragma once

#include <QString>

namespace kvz {

class Element;

// The texts the pictures show. The drawings paint them and assistive technology reads them
// from here, so a screen reader names a picture by what it shows, never by guessing.
namespace picture_texts {

// The winnings plates "C00".."C05": the amount of each level, thousands apart by a blank.
inline constexpr const char* kWinnings[] = {"0", "1 000", "2 000", "3 000", "5 000", "10 000"};
// The ladder's fifteen rows from the bottom, as the ladder pictures write them.
inline constexpr int kLadderRows = 15;
inline constexpr const char* kLadder[kLadderRows] = {
    "1.000",   "2.000",   "3.000",     "5.000",     "10.000",    "20.000",     "40.000",    "80.000",
    "160.000", "320.000", "640.000",   "1,250.000", "2,500.000", "5,000.000",  "10,000.000",
};
inline constexpr const char* kCurrency = "Kč";

// The words on the menu's picture buttons.
struct Words {
  const char* picture;
  const char* text;
};
inline constexpr Words kMenuButtons[] = {
    {"NOVA", "nová hra"}, {"PRAV", "pravidla"}, {"ABOUT", "about"}, {"KONEC", "ukončit"}};
// The lifelines as the rules screen names them, by the picture of their icon.
inline constexpr Words kLifelines[] = {
    {"N-5050", "50:50"}, {"N-DIV", "pomoc diváků"}, {"N-TEL", "přítel na telefonu"}};

}  // namespace picture_texts

// What a picture shows as text, by its name in any letter case: an amount, a ladder row, a
// button's words, a lifeline and whether it is still there. Empty for a picture without text.
QString pictureText(const QString& pictureName);

// The name assistive technology reads for an element: a text's caption after its spoken
// prefix, or what its picture shows. Empty for an element that shows nothing to read.
QString spokenName(const Element& element);

}  // namespace kvz
