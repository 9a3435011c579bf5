#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <span>

#include "assets/picture_names.h"
#include "assets/qt/pictures.h"

namespace kvz {
namespace {

QImage image(const char* name) { return picture(QString::fromLatin1(name)).toImage().convertToFormat(QImage::Format_ARGB32); }

// WCAG relative luminance and the contrast of white text on that colour.
double whiteContrast(QRgb c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  const double l = 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
  return 1.05 / (l + 0.05);
}

double worstWhiteContrast(const QImage& img, QRect zone) {
  double worst = 100.0;
  for (int y = zone.top(); y <= zone.bottom(); ++y)
    for (int x = zone.left(); x <= zone.right(); ++x) worst = std::min(worst, whiteContrast(img.pixel(x, y)));
  return worst;
}

bool isRed(QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }
bool isOrange(QRgb c) { return qRed(c) > 140 && qRed(c) > qGreen(c) + 40 && qGreen(c) > qBlue(c) + 15; }

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
  for (const char* spelled : {"n-5050x", "N-divX", "N-tel", "a-m", "Zadani", "s03", "key-esc", "Hand"}) {
    const QImage found = image(spelled);
    ASSERT_FALSE(found.isNull()) << spelled;
    EXPECT_EQ(found, image(QByteArray(spelled).toUpper().constData())) << spelled;
  }
  for (const char* name : {"", "X-M", "E-M", "C06", "S00", "S06", "N-5050XX", " A-M", "A-M.png", "../A-M", ":/pictures/A-M"})
    EXPECT_TRUE(picture(QString::fromLatin1(name)).isNull()) << '"' << name << '"';
  EXPECT_FALSE(picture(QStringLiteral("A-M")).isNull()) << "a bad name must not spoil later look-ups";
}

TEST(Pictures, TheHandPointsWithItsFingertipAtItsHotSpot) {
  const QImage hand = image("HAND");
  EXPECT_EQ(qAlpha(hand.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(hand.pixel(31, 0)), 0);
  const QPoint hot = handCursor().hotSpot();
  ASSERT_TRUE(hand.rect().contains(hot));
  EXPECT_GT(qAlpha(hand.pixel(hot + QPoint(0, 2))), 200) << "the hot spot lies on the finger";
  for (int y = 0; y < hot.y(); ++y)
    for (int x = 0; x < hand.width(); ++x) ASSERT_LT(qAlpha(hand.pixel(x, y)), 128) << "above the fingertip";
}

// Their colours are read on the screen by the whole-game check.
TEST(AnswerPlates, KeepTheTextZoneReadableAndEmptyInEveryState) {
  // The answer text runs from x = 80 to 289 px and from y = 8 to 33 px of the plate.
  const QRect textZone(80, 8, 210, 26);
  for (const char* letter : {"A", "B", "C", "D"}) {
    for (const char* state : {"M", "O", "Z"}) {
      const QByteArray name = QByteArray(letter) + '-' + state;
      const QImage plate = image(name.constData());
      EXPECT_GE(worstWhiteContrast(plate, textZone), 3.0) << name.constData();
      // Nothing is drawn into the text zone: along its middle line the plate is one smooth fill.
      const QRgb left = plate.pixel(textZone.left(), 20);
      for (int x = textZone.left(); x <= textZone.right(); ++x)
        EXPECT_LE(std::abs(qBlue(plate.pixel(x, 20)) - qBlue(left)) + std::abs(qRed(plate.pixel(x, 20)) - qRed(left)), 12)
            << name.constData() << " at x " << x;
    }
  }
}

TEST(QuestionPlate, KeepsWhiteTextReadableAndNothingAboveTheWinningsBackdrop) {
  const QImage plate = image("ZADANI");
  EXPECT_GE(worstWhiteContrast(plate, QRect(60, 24, 520, 50)), 4.5);
  // The plate lies at window-y 296, the black backdrop of the winnings from 304: the strip
  // between stays black, or a sliver of the plate would show above every winnings plate.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < plate.width(); ++x) ASSERT_LE(qGray(plate.pixel(x, y)), 8) << x << ',' << y;
}

// Pictures of one family must not be copies of each other: each shows its own amount, key,
// word or lifeline.
TEST(Pictures, OfOneFamilyAreAllDifferent) {
  const std::vector<std::vector<const char*>> families = {
      {"C00", "C01", "C02", "C03", "C04", "C05"},
      {"S01", "S02", "S03", "S04", "S05"},
      {"A-M", "B-M", "C-M", "D-M"},
      {"N-5050", "N-DIV", "N-TEL", "N-5050X", "N-DIVX", "N-TELX"},
      {"NOVA", "PRAV", "ABOUT", "KONEC"},
      {"KEY-A", "KEY-B", "KEY-C", "KEY-D", "KEY-F5", "KEY-F6", "KEY-F7", "KEY-ESC"},
  };
  for (const auto& family : families)
    for (std::size_t i = 0; i < family.size(); ++i)
      for (std::size_t j = i + 1; j < family.size(); ++j)
        EXPECT_NE(image(family[i]), image(family[j])) << family[i] << " and " << family[j];
}

// The centre of the bright gold pixels (the amount and its sparkles) within a box.
QPointF goldCentre(const QImage& img, QRect box) {
  double sx = 0, sy = 0, n = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) {
      const QRgb c = img.pixel(x, y);
      if (qRed(c) > 200 && qGreen(c) > 140 && qBlue(c) < 140) sx += x, sy += y, ++n;
    }
  return n > 0 ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
}

TEST(WinningsPlates, ShowTheAmountInGoldCentredOnThePlate) {
  for (const char* name : {"C00", "C01", "C03", "C05"}) {
    const QImage plate = image(name);
    const QPointF centre = goldCentre(plate, QRect(40, 20, 560, 60));
    EXPECT_NEAR(centre.x(), plate.width() / 2.0, 4.0) << name;
    EXPECT_NEAR(centre.y(), 50.0, 6.0) << name;
  }
}

// The question plate (window-y 296) lies over the ladder's foot, so the fifteen rows share the
// top 296 px, row 1 at the bottom.
constexpr int kLadderVisibleHeight = 296;
int ladderRowCentre(int row) { return qRound(kLadderVisibleHeight * (15 - row + 0.5) / 15.0); }

// Red marks the current row and no other, none under the question plate; the safe havens
// and the top prize are white, the other rows yellow.
TEST(Ladder, MarksTheCurrentRowInRedAndTheSafeHavensInWhite) {
  const char* names[] = {"S01", "S02", "S03", "S04", "S05"};
  const int pitch = kLadderVisibleHeight / 15;
  for (int current = 1; current <= 5; ++current) {
    const char* name = names[current - 1];
    const QImage ladder = image(name);
    for (int row = 1; row <= 15; ++row) {
      const int centre = ladderRowCentre(row);
      EXPECT_EQ(isRed(ladder.pixel(34, centre)), row == current) << name << " row " << row;
      int white = 0, yellow = 0;
      for (int y = centre - pitch / 3; y <= centre + pitch / 3; ++y)
        for (int x = 6; x < ladder.width() - 6; ++x) {  // inside the gold frame
          const QRgb c = ladder.pixel(x, y);
          if (qRed(c) < 220 || qGreen(c) < 190) continue;  // not text
          if (qBlue(c) > 210) ++white;
          else if (qBlue(c) < 120) ++yellow;
        }
      const bool milestone = row % 5 == 0;
      EXPECT_GT(milestone ? white : yellow, 40) << name << " row " << row;
      EXPECT_LT(milestone ? yellow : white, 10) << name << " row " << row;
    }
    for (int y = kLadderVisibleHeight; y < ladder.height(); ++y)
      for (int x = 0; x < ladder.width(); ++x) ASSERT_FALSE(isRed(ladder.pixel(x, y))) << name << " y " << y;
  }
}

TEST(LifelineIcons, AreCrossedInRedOnlyWhenUsed) {
  for (const char* name : {"N-5050", "N-DIV", "N-TEL"}) {
    const QByteArray used = QByteArray(name) + 'X';
    EXPECT_FALSE(isRed(image(name).pixel(36, 23))) << name;
    EXPECT_TRUE(isRed(image(used.constData()).pixel(36, 23))) << used.constData();
  }
}

// The bars stand on window-y 195 px, panel-y 184: a bright baseline there, dark space above
// for the red bars, and each letter printed under its own bar.
TEST(AudienceGraphPanel, HasABaselineDarkSpaceAboveAndEachLetterUnderItsBar) {
  const QImage panel = image("NDIVGRAF");
  const int barCentres[] = {34, 66, 98, 130};
  for (int bar = 0; bar < 4; ++bar) {
    const int cx = barCentres[bar];
    EXPECT_GT(qGray(panel.pixel(cx, 184)), 180) << "baseline under bar " << bar;
    EXPECT_LT(qGray(panel.pixel(cx, 150)), 110) << "dark above the baseline at bar " << bar;
    double sx = 0, n = 0;
    for (int y = 187; y < panel.height() - 2; ++y)
      for (int x = cx - 15; x <= cx + 15; ++x)
        if (isOrange(panel.pixel(x, y))) sx += x, ++n;
    ASSERT_GT(n, 15) << "letter " << char('A' + bar);
    EXPECT_NEAR(sx / n, cx + 0.5, 2.5) << "letter " << char('A' + bar);
  }
}

}  // namespace
}  // namespace kvz
