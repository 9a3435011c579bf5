#include <gtest/gtest.h>

#include "assets/layout_about.h"
#include "assets/layout_intro.h"
#include "assets/layout_rules.h"
#include "fakes/fakes.h"
#include "platform/qt/fonts.h"
#include "shell/fit_texts.h"

namespace kvz {
namespace {

// 12-point texts: one line is about 276 twips high.
Element& addText(Form& f, const char* name, Rect r, const QString& caption, Align align = Align::Left) {
  Element& e = f.add(ElementKind::Text, QString::fromLatin1(name), r);
  e.look().font.points = 12;
  e.look().wordWrap = true;
  e.look().align = align;
  e.setCaption(caption);
  return e;
}

TEST(FitTexts, AOneLineTextTooWideGrowsToTheRightKeepingItsLeftEdge) {
  Form f(QStringLiteral("f"), QStringLiteral("f"));
  fakes::FixedTextMeasure measure(150);
  Element& e = addText(f, "t", {600, 100, 1200, 270}, QStringLiteral("0123456789"));  // 1500 twips
  fitTexts(f, measure);
  EXPECT_EQ(e.geometry(), (Rect{600, 100, 1530, 270}));
  EXPECT_FALSE(e.look().wordWrap);
}

TEST(FitTexts, ACentredTextGrowsOnBothSidesAndStaysInsideTheWindow) {
  Form f(QStringLiteral("f"), QStringLiteral("f"));
  fakes::FixedTextMeasure measure(150);
  Element& middle = addText(f, "m", {4000, 0, 1000, 360}, QStringLiteral("0123456789"), Align::Center);
  Element& edge = addText(f, "e", {9000, 0, 500, 360}, QStringLiteral("0123456789"));
  Element& huge = addText(f, "h", {100, 0, 500, 360}, QString(200, QLatin1Char('x')), Align::Center);
  fitTexts(f, measure);
  EXPECT_EQ(middle.geometry(), (Rect{3735, 0, 1530, 360}));
  EXPECT_EQ(edge.geometry(), (Rect{9600 - 1530, 0, 1530, 360}));
  EXPECT_EQ(huge.geometry(), (Rect{0, 0, 9600, 360}));
}

TEST(FitTexts, ATextWithRoomForTwoLinesWrapsUnlessItIsOnlyALittleTooWide) {
  Form f(QStringLiteral("f"), QStringLiteral("f"));
  fakes::FixedTextMeasure measure(150);
  Element& wraps = addText(f, "w", {0, 0, 1200, 615}, QStringLiteral("0123456789 0123456789"));
  Element& little = addText(f, "l", {0, 1000, 1500, 615}, QStringLiteral("0123456789"));  // 1530 > 1500
  Element& edge = addText(f, "e", {0, 2000, 9000, 615}, QString(65, QLatin1Char('x')));  // beyond the window
  fitTexts(f, measure);
  EXPECT_EQ(wraps.geometry(), (Rect{0, 0, 1200, 615}));
  EXPECT_TRUE(wraps.look().wordWrap);
  EXPECT_EQ(little.geometry(), (Rect{0, 1000, 1530, 615}));
  EXPECT_FALSE(little.look().wordWrap);
  EXPECT_EQ(edge.geometry(), (Rect{0, 2000, 9000, 615}));
  EXPECT_TRUE(edge.look().wordWrap);
}

TEST(FitTexts, AFittingTextIsDrawnAsOneLineAndOtherElementsAreLeftAlone) {
  Form f(QStringLiteral("f"), QStringLiteral("f"));
  fakes::FixedTextMeasure measure(150);
  Element& e = addText(f, "t", {0, 0, 3000, 615}, QStringLiteral("short"));
  Element& empty = addText(f, "e", {0, 0, 10, 270}, QString());
  Element& button = f.add(ElementKind::Button, QStringLiteral("b"), {0, 0, 10, 270});
  button.setCaption(QStringLiteral("a long caption"));
  fitTexts(f, measure);
  EXPECT_EQ(e.geometry(), (Rect{0, 0, 3000, 615}));
  EXPECT_FALSE(e.look().wordWrap);
  EXPECT_EQ(empty.geometry(), (Rect{0, 0, 10, 270}));
  EXPECT_TRUE(empty.look().wordWrap);
  EXPECT_EQ(button.geometry(), (Rect{0, 0, 10, 270}));
}

// With the faces the game really draws with, every text of the three screens shows whole:
// one-line texts fit their elements and nothing is pushed out of the window.
TEST(FitTexts, EveryScreenTextShowsWholeInTheGamesFonts) {
  QtTextMeasure measure;
  for (const auto& form : {makeFrmIntro(), makeFrmRules(), makeFrmAbout()}) {
    const std::vector<Rect> before = [&] {
      std::vector<Rect> r;
      for (const auto& e : form->elements()) r.push_back(e->geometry());
      return r;
    }();
    fitTexts(*form, measure);
    for (std::size_t i = 0; i < form->elements().size(); ++i) {
      const Element& e = *form->elements()[i];
      if (e.kind() != ElementKind::Text) continue;
      const std::string where = form->name().toStdString() + "." + e.name().toStdString();
      if (!e.look().wordWrap) {
        EXPECT_LE(measure.widthTwips(e.caption(), e.look().font), e.geometry().width) << where;
      }
      if (e.geometry() != before[i]) {
        EXPECT_GE(e.geometry().left, 0) << where;
        EXPECT_LE(e.geometry().right(), form->widthTwips()) << where;
      }
    }
  }
}

}  // namespace
}  // namespace kvz
