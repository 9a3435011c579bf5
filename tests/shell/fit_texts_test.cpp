#include <gtest/gtest.h>

#include "assets/layout_about.h"
#include "assets/layout_intro.h"
#include "assets/layout_rules.h"
#include "assets/picture_names.h"
#include "fakes/fakes.h"
#include "platform/qt/fonts.h"
#include "shell/fit_texts.h"

namespace kvz {
namespace {

// A 12-point text (one line about 276 twips high) of a given width in characters of 150
// twips, laid out alone in the window: its place and whether it wraps afterwards.
struct FitCase {
  const char* what;
  Rect place;
  QString caption;
  Align align;
  Rect fitted;
  bool wraps;
};

TEST(FitTexts, TooWideTextsGrowInsideTheWindowAndWrapOnlyWhereTheyHaveRoom) {
  const QString ten = QStringLiteral("0123456789");  // 1500 twips, 1530 with the last letter's ink
  for (const FitCase& c : std::vector<FitCase>{
           {"one line grows right", {600, 100, 1200, 270}, ten, Align::Left, {600, 100, 1530, 270}, false},
           {"centred grows both ways", {4000, 0, 1000, 360}, ten, Align::Center, {3735, 0, 1530, 360}, false},
           {"kept inside at the edge", {9000, 0, 500, 360}, ten, Align::Left, {9600 - 1530, 0, 1530, 360}, false},
           {"wider than the window", {100, 0, 500, 360}, QString(200, QLatin1Char('x')), Align::Center,
            {0, 0, 9600, 360}, false},
           {"room for two lines: wraps", {0, 0, 1200, 615}, ten + QLatin1Char(' ') + ten, Align::Left,
            {0, 0, 1200, 615}, true},
           {"only a little too wide: grows", {0, 1000, 1500, 615}, ten, Align::Left, {0, 1000, 1530, 615}, false},
           {"growing would leave the window: wraps", {0, 2000, 9000, 615}, QString(65, QLatin1Char('x')),
            Align::Left, {0, 2000, 9000, 615}, true},
           {"fits: one line", {0, 0, 3000, 615}, QStringLiteral("short"), Align::Left, {0, 0, 3000, 615}, false},
           {"empty: left alone", {0, 0, 10, 270}, QString(), Align::Left, {0, 0, 10, 270}, true},
       }) {
    Form f(QStringLiteral("f"), QStringLiteral("f"));
    Element& e = f.add(ElementKind::Text, QStringLiteral("t"), c.place);
    e.look().font.points = 12;
    e.look().wordWrap = true;
    e.look().align = c.align;
    e.setCaption(c.caption);
    Element& button = f.add(ElementKind::Button, QStringLiteral("b"), {0, 0, 10, 270});
    button.setCaption(QStringLiteral("a long caption"));
    fitTexts(f, fakes::FixedTextMeasure(150));
    EXPECT_EQ(e.geometry(), c.fitted) << c.what;
    EXPECT_EQ(e.look().wordWrap, c.wraps) << c.what;
    EXPECT_EQ(button.geometry(), (Rect{0, 0, 10, 270})) << c.what;  // only texts are fitted
  }
}

const PictureInfo* layoutPicture(const QString& name) {
  for (const PictureInfo& p : kLayoutPictures)
    if (name == QLatin1String(p.name)) return &p;
  return nullptr;
}

// The three screens as the game draws them: every picture exists and is drawn at its own size,
// nothing but the centred notice reaches outside the window, and with the game's real faces
// every text shows whole (one-line texts fit their elements, nothing is pushed out).
TEST(FitTexts, EveryScreenShowsWholeInTheGamesPicturesAndFonts) {
  QtTextMeasure measure;
  for (const auto& form : {makeFrmIntro(), makeFrmRules(), makeFrmAbout()}) {
    std::vector<Rect> before;
    for (const auto& e : form->elements()) {
      const std::string where = form->name().toStdString() + "." + e->name().toStdString();
      before.push_back(e->geometry());
      const Rect& r = e->geometry();
      const bool notice = form->name() == QLatin1String("frmRules") && e->name() == QLatin1String("Label1");
      EXPECT_TRUE(notice || (r.left >= 0 && r.top >= 0 && r.right() <= 9600 && r.bottom() <= 7200)) << where;
      if (e->kind() != ElementKind::Picture) continue;
      const PictureInfo* p = layoutPicture(e->picture());
      ASSERT_NE(p, nullptr) << where;
      if (e->look().stretch) continue;  // the logo is scaled to its element
      EXPECT_EQ(r.width, p->width * kTwipsPerPixel) << where;
      EXPECT_EQ(r.height, p->height * kTwipsPerPixel) << where;
    }
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
