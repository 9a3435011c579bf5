#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "assets/drawings/drawing.h"
#include "assets/picture_names.h"
#include "assets/qt/pictures.h"

namespace kvz {
namespace {

// The pictures the whole-game check reads on the screen (plates, ladder, winnings, graph) are
// checked there by their pixels, and their sizes and transparency by the generator that writes
// them; here: every name found, and what no run looks at.
QImage image(const char* name) { return picture(QString::fromLatin1(name)).toImage().convertToFormat(QImage::Format_ARGB32); }

bool isRed(QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }

// A picture at a scale against the picture at 1 x: the mean difference per channel once Qt has
// shrunk it back to 1 x, and the share of its pixels unlike the 1 x picture enlarged into blocks
// (none when it is only enlarged).
struct AtScale {
  double meanDifference = 255;
  double unlikeBlocks = 0;
};
AtScale compareAtScale(const char* name, int s) {
  const QImage small = image(name);
  const QImage large = picture(QString::fromLatin1(name), s).toImage().convertToFormat(QImage::Format_ARGB32);
  if (large.size() != small.size() * s) return {};
  const QImage shrunk = large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage blocks = small.scaled(large.size());
  double difference = 0;
  for (int y = 0; y < small.height(); ++y)
    for (int x = 0; x < small.width(); ++x) {
      const QRgb a = shrunk.pixel(x, y), b = small.pixel(x, y);
      difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) +
                    std::abs(qAlpha(a) - qAlpha(b));
    }
  int unlike = 0;
  for (int y = 0; y < large.height(); ++y)
    for (int x = 0; x < large.width(); ++x) unlike += large.pixel(x, y) != blocks.pixel(x, y);
  return {difference / (4.0 * small.width() * small.height()), double(unlike) / (large.width() * large.height())};
}

// On a large screen each picture is drawn again at the scene's factor: the same picture, with
// its edges and letters drawn at that size rather than its pixels enlarged into blocks.
TEST(Pictures, AtAScaleAreTheSamePicturesDrawnAtThatSize) {
  for (const int s : {2, 4})
    for (const char* name : {"A-O", "ZADANI", "C05", "S04", "N-DIVX", "KEY-F10", "NOVA", "LOGO", "HAND"}) {
      const AtScale at = compareAtScale(name, s);
      EXPECT_LT(at.meanDifference, 3.0) << name << " at " << s << " x";
      EXPECT_GT(at.unlikeBlocks, 0.1) << name << " at " << s << " x";
    }
  // The hand's hot spot at a scale: shell/check_scaled_screen.py (the pointer at 2 x).
  // Drawn on all cores at once for a window about to show them: the very pictures one thread
  // draws; names in any case, repeated or unknown, do no harm.
  drawPictures({"a-o", "ZADANI", "A-O", "nothing", "LOGO", "S02"}, 3);
  for (const char* name : {"A-O", "ZADANI", "LOGO", "S02"})
    EXPECT_EQ(picture(QString::fromLatin1(name), 3).toImage(),
              QPixmap::fromImage(*drawings::drawPicture(name, picture(name).size(), 3)).toImage()) << name;
  for (const int s : {0, -1})
    EXPECT_TRUE(picture(QStringLiteral("A-M"), s).isNull()) << s;
}

TEST(Pictures, AreAllCompiledInAndFoundInAnyLetterCaseAndAnUnknownNameGivesNothingWithoutHarm) {
  for (const PictureInfo& info : allPictures()) EXPECT_FALSE(picture(QString::fromLatin1(info.name)).isNull()) << info.name;
  for (const char* spelled : {"n-5050x", "N-divX", "Zadani", "s03", "key-esc", "Hand"})
    EXPECT_EQ(image(spelled), image(QByteArray(spelled).toUpper().constData())) << spelled;
  for (const char* name : {"", "X-M", "E-M", "C06", "S00", "S06", "N-5050XX", " A-M", "A-M.png", "../A-M", ":/pictures/A-M"})
    for (const int s : {1, 2}) EXPECT_TRUE(picture(QString::fromLatin1(name), s).isNull()) << '"' << name << '"' << s;
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
