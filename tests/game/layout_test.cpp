#include <gtest/gtest.h>

#include <QPixmap>

#include "assets/layout_main.h"
#include "assets/qt/pictures.h"
#include "platform/clock.h"

// The game window as laid out: inside the window, drawn in the designed order, and every
// bitmap the size of the elements that show it.
namespace kvz {
namespace {

int depth(const Form& form, const char* name) {
  const auto& all = form.elements();
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i]->name() == QLatin1String(name)) return static_cast<int>(i);
  return -1;
}

// The two lower panels of the design reach one pixel below the window, which clips it.
TEST(GameLayout, EveryElementLiesInsideTheWindow) {
  VirtualClock clock;
  const auto form = makeFrmMain(clock);
  for (const auto& e : form->elements()) {
    const Rect& r = e->geometry();
    const bool lowerPanel = e->name() == "Shape1" || e->name() == "txtNTelVypis";
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right() <= form->widthTwips() && r.bottom() <= form->heightTwips() + (lowerPanel ? kTwipsPerPixel : 0))
        << e->name().toStdString();
  }
}

// Where two elements overlap (the phone's square and video once moved onto the logo), the
// upper one is drawn above: the winnings plate over its black backdrop over the plates and
// texts, every text over its plate, the bars and percentages over the graph over the logo.
TEST(GameLayout, OverlappingElementsAreDrawnInTheDesignedOrder) {
  VirtualClock clock;
  const auto form = makeFrmMain(clock);
  const std::pair<const char*, const char*> upperLower[] = {
      {"txtNTelVypis", "Shape1"}, {"imgVyhra", "Shape1"}, {"Shape1", "lblZadani"}, {"Shape1", "imgA"},
      {"Shape1", "lblD"},         {"lblZadani", "imgZadani"}, {"lblA", "imgA"},  {"lblD", "imgD"},
      {"WMP3", "imgLogo"},        {"Shape2", "imgLogo"},  {"colNDivA", "imgNDivGraf"}, {"lblNDivD", "imgNDivGraf"},
      {"imgNDivGraf", "imgLogo"}};
  for (const auto& [upper, lower] : upperLower) {
    ASSERT_GE(depth(*form, lower), 0) << lower;
    EXPECT_LT(depth(*form, upper), depth(*form, lower)) << upper << " over " << lower;
  }
}

// The lifelines' timers wait, disabled, at their designed intervals until a lifeline starts
// them: an enabled one would start a poll or a call by itself at the game's load.
TEST(GameLayout, TheLifelineTimersStartDisabledAtTheirDesignedIntervals) {
  VirtualClock clock;
  const auto form = makeFrmMain(clock);
  const std::pair<const char*, int> timers[] = {{"tmrNDivaci", 8250}, {"tmrNTel1", 3700}, {"tmrNTel2", 100}};
  for (const auto& [name, interval] : timers) {
    EXPECT_EQ(form->timer(QLatin1String(name)).interval(), interval) << name;
    EXPECT_FALSE(form->timer(QLatin1String(name)).enabled()) << name;
  }
}

// Every bitmap the game puts on a picture element fills it exactly (15 twips to a pixel).
TEST(GameLayout, EachBitmapIsTheSizeOfTheElementsThatShowIt) {
  VirtualClock clock;
  const auto form = makeFrmMain(clock);
  const std::pair<const char*, std::vector<const char*>> shows[] = {
      {"imgA", {"A-M", "A-O", "A-Z"}}, {"imgB", {"B-M", "B-O", "B-Z"}}, {"imgC", {"C-M", "C-O", "C-Z"}},
      {"imgD", {"D-M", "D-O", "D-Z"}}, {"imgZadani", {"ZADANI"}},
      {"imgVyhra", {"C00", "C01", "C02", "C03", "C04", "C05"}},
      {"imgStupnice", {"S01", "S02", "S03", "S04", "S05"}},
      {"imgN5050", {"N-5050", "N-5050x"}}, {"imgNTel", {"N-tel", "N-telx"}}, {"imgNDiv", {"N-div", "N-divx"}},
      {"imgNDivGraf", {"NDIVGRAF"}}};
  for (const auto& [element, bitmaps] : shows) {
    const Rect& r = (*form)[QLatin1String(element)].geometry();
    for (const char* name : bitmaps)
      EXPECT_EQ(picture(QLatin1String(name)).size() * kTwipsPerPixel, QSize(r.width, r.height)) << name;
  }
}

}  // namespace
}  // namespace kvz
