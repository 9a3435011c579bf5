#include <gtest/gtest.h>

#include <QImage>

#include "assets/picture_names.h"
#include "assets/qt/pictures.h"

namespace kvz {
namespace {

// The pictures the whole-game check reads on the screen (plates, ladder, winnings, graph) are
// checked there by their pixels; here: every name found at its size, and what no run looks at.
QImage image(const char* name) { return picture(QString::fromLatin1(name)).toImage().convertToFormat(QImage::Format_ARGB32); }

bool isRed(QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }

TEST(Pictures, EveryNamedPictureIsCompiledInAtItsSizeAndOnlyTheHandIsTransparent) {
  std::vector<PictureInfo> all(std::begin(kBitmaps), std::end(kBitmaps));
  all.insert(all.end(), std::begin(kLayoutPictures), std::end(kLayoutPictures));
  all.push_back(kHandPointer);
  for (const PictureInfo& info : all) {
    const QPixmap pixmap = picture(QString::fromLatin1(info.name));
    ASSERT_FALSE(pixmap.isNull()) << info.name;
    EXPECT_EQ(pixmap.size(), QSize(info.width, info.height)) << info.name;
    EXPECT_EQ(pixmap.hasAlphaChannel(), QLatin1String(info.name) == QLatin1String(kHandPointer.name)) << info.name;
  }
}

TEST(Pictures, AreFoundInAnyLetterCaseAndAnUnknownNameGivesNothingWithoutHarm) {
  for (const char* spelled : {"n-5050x", "N-divX", "Zadani", "s03", "key-esc", "Hand"})
    EXPECT_EQ(image(spelled), image(QByteArray(spelled).toUpper().constData())) << spelled;
  for (const char* name : {"", "X-M", "E-M", "C06", "S00", "S06", "N-5050XX", " A-M", "A-M.png", "../A-M", ":/pictures/A-M"})
    EXPECT_TRUE(picture(QString::fromLatin1(name)).isNull()) << '"' << name << '"';
  EXPECT_FALSE(picture(QStringLiteral("A-M")).isNull()) << "a bad name must not spoil later look-ups";
}

TEST(Pictures, TheHandPointsWithItsFingertipAtItsHotSpot) {
  const QImage hand = image("HAND");
  const QPoint hot = handCursor().hotSpot();
  ASSERT_TRUE(hand.rect().contains(hot));
  EXPECT_GT(qAlpha(hand.pixel(hot + QPoint(0, 2))), 200) << "the hot spot lies on the finger";
  for (int y = 0; y < hot.y(); ++y)
    for (int x = 0; x < hand.width(); ++x) ASSERT_LT(qAlpha(hand.pixel(x, y)), 128) << "above the fingertip";
}

// Each key, menu word and lifeline shows its own; a used lifeline is crossed in red.
TEST(Pictures, OfOneFamilyAreAllDifferentAndUsedLifelinesCrossed) {
  const std::vector<std::vector<const char*>> families = {
      {"N-5050", "N-DIV", "N-TEL", "N-5050X", "N-DIVX", "N-TELX"},
      {"NOVA", "PRAV", "ABOUT", "KONEC"},
      {"KEY-A", "KEY-B", "KEY-C", "KEY-D", "KEY-F5", "KEY-F6", "KEY-F7", "KEY-ESC"}};
  for (const auto& family : families)
    for (std::size_t i = 0; i < family.size(); ++i)
      for (std::size_t j = i + 1; j < family.size(); ++j)
        EXPECT_NE(image(family[i]), image(family[j])) << family[i] << " and " << family[j];
  for (const char* name : {"N-5050", "N-DIV", "N-TEL"}) {
    EXPECT_FALSE(isRed(image(name).pixel(36, 23))) << name;
    EXPECT_TRUE(isRed(image((QByteArray(name) + 'X').constData()).pixel(36, 23))) << name << 'X';
  }
}

}  // namespace
}  // namespace kvz
