#include <gtest/gtest.h>

#include "assets/layout_about.h"
#include "assets/layout_intro.h"
#include "assets/layout_rules.h"
#include "fakes/fakes.h"
#include "shell/fit_texts.h"
#include "tools/shows_whole.h"

namespace kvz {
namespace {

// A 12-point text (one line about 276 twips high) of a given width in characters of 150
// twips, laid out alone in the window: its place and whether it wraps afterwards.
struct FitCase { const char* what; Rect place; QString caption; Align align; Rect fitted; bool wraps; };

TEST(FitTexts, TooWideTextsGrowInsideTheWindowAndWrapOnlyWhereTheyHaveRoom) {
  const QString ten = QStringLiteral("0123456789");  // 1500 twips, 1530 with the last letter's ink
  const QString x65(65, QLatin1Char('x')), x200(200, QLatin1Char('x'));
  for (const FitCase& c : std::vector<FitCase>{
           {"one line grows right", {600, 100, 1200, 270}, ten, Align::Left, {600, 100, 1530, 270}, false},
           {"centred grows both ways", {4000, 0, 1000, 360}, ten, Align::Center, {3735, 0, 1530, 360}, false},
           {"kept inside at the edge", {9000, 0, 500, 360}, ten, Align::Left, {9600 - 1530, 0, 1530, 360}, false},
           {"wider than the window", {100, 0, 500, 360}, x200, Align::Center, {0, 0, 9600, 360}, false},
           {"room for two lines: wraps", {0, 0, 1200, 615}, ten + u' ' + ten, Align::Left, {0, 0, 1200, 615}, true},
           {"only a little too wide: grows", {0, 1000, 1500, 615}, ten, Align::Left, {0, 1000, 1530, 615}, false},
           {"growing would leave the window: wraps", {0, 2000, 9000, 615}, x65, Align::Left, {0, 2000, 9000, 615}, true},
           {"fits: one line", {0, 0, 3000, 615}, QStringLiteral("short"), Align::Left, {0, 0, 3000, 615}, false},
           {"empty: left alone", {0, 0, 10, 270}, QString(), Align::Left, {0, 0, 10, 270}, true},
       }) {
    Form f(QStringLiteral("f"), QStringLiteral("f"));
    Element& e = f.add(ElementKind::Text, QStringLiteral("t"), c.place);
    e.look().font.points = 12;
    e.look().wordWrap = true;
    e.look().align = c.align;
    e.setCaption(c.caption);
    fitTexts(f, fakes::FixedTextMeasure(150));
    EXPECT_EQ(e.geometry(), c.fitted) << c.what;
    EXPECT_EQ(e.look().wordWrap, c.wraps) << c.what;
  }
}

// With the game's real faces every text of the three screens shows whole as the window
// draws it, and a text that was widened stays inside the window.
TEST(FitTexts, EveryScreenTextShowsWholeInTheGamesFonts) {
  for (const auto& form : {makeFrmIntro(), makeFrmRules(), makeFrmAbout()}) {
    std::vector<Rect> before;
    for (const auto& e : form->elements()) before.push_back(e->geometry());
    fitTexts(*form, QtTextMeasure());
    for (std::size_t i = 0; i < before.size(); ++i) {
      const Element& e = *form->elements()[i];
      if (e.kind() != ElementKind::Text) continue;
      SCOPED_TRACE(form->name().toStdString() + "." + e.name().toStdString());
      EXPECT_TRUE(showsWhole(e));
      if (e.geometry() == before[i]) continue;
      EXPECT_GE(e.geometry().left, 0);
      EXPECT_LE(e.geometry().right(), form->widthTwips());
    }
  }
}

}  // namespace
}  // namespace kvz
