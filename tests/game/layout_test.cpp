#include <gtest/gtest.h>

#include <QPixmap>

#include "assets/layout_main.h"
#include "assets/qt/pictures.h"
#include "platform/clock.h"

// The game window as laid out, against the figures of its design: places, drawing order,
// timers at start and the sizes of the bitmaps each picture element shows.
namespace kvz {
namespace {

struct Placed {
  const char* name;
  Rect r;
  const char* bitmapAtStart;  // picture elements
};

// From the top of the drawing order to the bottom.
const Placed kDesign[] = {
    {"txtNTelVypis", {293, 4920, 9015, 2295}, nullptr}, {"WMP1", {720, 1920, 735, 375}, nullptr},
    {"WMP2", {720, 2400, 735, 375}, nullptr},           {"WMP3", {480, 120, 1800, 1800}, nullptr},
    {"Shape2", {5280, 240, 1095, 1095}, nullptr},       {"colNDivA", {2960, 1680, 255, 1245}, nullptr},
    {"colNDivB", {3440, 1680, 255, 1245}, nullptr},     {"colNDivC", {3925, 1680, 255, 1245}, nullptr},
    {"colNDivD", {4405, 1680, 255, 1245}, nullptr},     {"lblNDivA", {2795, 270, 615, 255}, nullptr},
    {"lblNDivB", {3270, 270, 615, 255}, nullptr},       {"lblNDivC", {3750, 270, 615, 255}, nullptr},
    {"lblNDivD", {4230, 270, 615, 255}, nullptr},       {"imgVyhra", {0, 5280, 9600, 1425}, "C01"},
    {"Shape1", {0, 4560, 9600, 2655}, nullptr},         {"lblZadani", {1080, 4800, 7455, 735}, nullptr},
    {"imgZadani", {0, 4440, 9600, 1425}, "ZADANI"},     {"imgN5050", {1920, 3600, 1080, 705}, "N-5050X"},
    {"imgNTel", {3240, 3600, 1080, 705}, "N-TELX"},     {"imgNDiv", {4560, 3600, 1080, 705}, "N-DIVX"},
    {"lblA", {1200, 6000, 3135, 375}, nullptr},         {"lblB", {6000, 6000, 3135, 375}, nullptr},
    {"lblC", {1200, 6720, 3135, 375}, nullptr},         {"lblD", {6000, 6720, 3135, 375}, nullptr},
    {"imgA", {0, 5880, 4800, 555}, "A-M"},              {"imgB", {4800, 5880, 4800, 555}, "B-M"},
    {"imgC", {0, 6600, 4800, 555}, "C-M"},              {"imgD", {4800, 6600, 4800, 555}, "D-M"},
    {"imgStupnice", {6480, 0, 3000, 4665}, "S03"},      {"imgNDivGraf", {2580, 170, 2400, 3150}, "NDIVGRAF"},
    {"imgLogo", {2280, 120, 2970, 3090}, "LOGO"},
};

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

int depth(const Form& form, const char* name) {
  const auto& all = form.elements();
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i]->name() == QLatin1String(name)) return static_cast<int>(i);
  return -1;
}

TEST(GameLayout, EveryElementAtItsPlaceInsideTheWindowWithItsStartPicture) {
  VirtualClock clock;
  const auto form = makeFrmMain(clock);
  ASSERT_EQ(form->elements().size(), std::size(kDesign));
  for (const Placed& p : kDesign) {
    const Element* e = form->find(QLatin1String(p.name));
    ASSERT_NE(e, nullptr) << p.name;
    EXPECT_EQ(e->geometry(), p.r) << p.name;
    EXPECT_EQ(e->picture().toUpper(), p.bitmapAtStart ? p.bitmapAtStart : "") << p.name;
    // The two lower panels of the design reach one pixel below the window, which clips it.
    const bool lowerPanel = QLatin1String(p.name) == "Shape1" || QLatin1String(p.name) == "txtNTelVypis";
    EXPECT_TRUE(p.r.left >= 0 && p.r.top >= 0 && p.r.right() <= 9600 &&
                p.r.bottom() <= 7200 + (lowerPanel ? kTwipsPerPixel : 0))
        << p.name;
  }
}

// Where two elements overlap, the one listed first lies above: the winnings plate over its
// black backdrop over the plates and texts, the phone's square over the logo, the bars and
// percentages over the graph panel, every text over its plate.
TEST(GameLayout, OverlappingElementsAreDrawnInTheDesignedOrder) {
  VirtualClock clock;
  const auto form = makeFrmMain(clock);
  int pairs = 0;
  for (std::size_t upper = 0; upper < std::size(kDesign); ++upper)
    for (std::size_t lower = upper + 1; lower < std::size(kDesign); ++lower)
      if (overlap(kDesign[upper].r, kDesign[lower].r)) {
        ++pairs;
        EXPECT_LT(depth(*form, kDesign[upper].name), depth(*form, kDesign[lower].name))
            << kDesign[upper].name << " over " << kDesign[lower].name;
      }
  EXPECT_GT(pairs, 40);
}

TEST(GameLayout, TimersStartAsDesigned) {
  VirtualClock clock;
  const auto form = makeFrmMain(clock);
  const std::tuple<const char*, bool, int> timers[] = {
      {"tmrZobrazeniOtazky", true, 1000}, {"tmrCastka", true, 1000}, {"tmrBlik", true, 350}, {"tmrZvuk", true, 0},
      {"tmrNDivaci", false, 8250},        {"tmrNTel1", false, 3700}, {"tmrNTel2", false, 100}};
  ASSERT_EQ(form->timers().size(), std::size(timers));
  for (const auto& [name, enabled, interval] : timers) {
    const Timer& t = form->timer(QLatin1String(name));
    EXPECT_EQ(t.enabled(), enabled) << name;
    EXPECT_EQ(t.interval(), interval) << name;
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
