#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

namespace kvz {

// Every picture the windows show, by name, with its size in pixels. The named bitmaps of the
// game window are looked up without regard to letter case ("N-5050x" finds "N-5050X").
struct PictureInfo {
  const char* name;
  int width;
  int height;
};

// The named bitmap resources of the game window: plates, question plate, winnings plates,
// ladders and lifeline icons.
inline constexpr PictureInfo kBitmaps[] = {
    {"A-M", 320, 37}, {"B-M", 320, 37}, {"C-M", 320, 37}, {"D-M", 320, 37},
    {"A-O", 320, 37}, {"B-O", 320, 37}, {"C-O", 320, 37}, {"D-O", 320, 37},
    {"A-Z", 320, 37}, {"B-Z", 320, 37}, {"C-Z", 320, 37}, {"D-Z", 320, 37},
    {"ZADANI", 640, 95},
    {"C00", 640, 95}, {"C01", 640, 95}, {"C02", 640, 95}, {"C03", 640, 95}, {"C04", 640, 95}, {"C05", 640, 95},
    {"S01", 200, 311}, {"S02", 200, 311}, {"S03", 200, 311}, {"S04", 200, 311}, {"S05", 200, 311},
    {"N-5050", 72, 47}, {"N-DIV", 72, 47}, {"N-TEL", 72, 47},
    {"N-5050X", 72, 47}, {"N-DIVX", 72, 47}, {"N-TELX", 72, 47},
};

// Pictures kept with the windows' layouts: the logo (a source picture, stretched to each
// logo element), the audience graph panel, the menu buttons, the decorations and key caps.
inline constexpr PictureInfo kLayoutPictures[] = {
    {"LOGO", 230, 230},      {"NDIVGRAF", 160, 210},
    {"NOVA", 162, 35},       {"PRAV", 159, 35},      {"ABOUT", 133, 35},     {"KONEC", 152, 35},
    {"PRUH", 27, 244},       {"DEKOR-RULES", 249, 45}, {"DEKOR-ABOUT", 291, 45},
    {"KEY-A", 36, 35},       {"KEY-B", 36, 35},      {"KEY-C", 36, 35},      {"KEY-D", 36, 35},
    {"KEY-F5", 36, 35},      {"KEY-F6", 36, 35},     {"KEY-F7", 36, 35},     {"KEY-F10", 35, 35},
    {"KEY-ESC", 36, 35},
};

// The hand pointer of the clickable elements: a 32 x 32 icon.
inline constexpr PictureInfo kHandPointer = {"HAND", 32, 32};

// Every picture above: the bitmaps, the layouts' pictures, the hand pointer last.
std::vector<PictureInfo> allPictures();

// The picture of that name in any letter case, or nullopt when there is none of that name.
std::optional<PictureInfo> findPicture(const QString& name);
// Its canonical (upper-case) name.
std::optional<QString> canonicalPictureName(const QString& name);

}  // namespace kvz
