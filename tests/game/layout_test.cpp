#include <gtest/gtest.h>

#include <QPixmap>

#include "assets/layout_main.h"
#include "assets/qt/pictures.h"
#include "platform/clock.h"
#include "platform/scene_scale.h"

// The game window as laid out: inside the window, upper elements drawn over lower ones, and
// every bitmap the size of the elements that show it.
namespace kvz {
namespace {

class GameLayout : public ::testing::Test {
protected:
  int depth(const char* name) const {
    const auto& all = form->elements();
    return static_cast<int>(std::ranges::find(all, QLatin1String(name), [](const auto& e) { return e->name(); }) - all.begin());
  }
  VirtualClock clock;
  const std::unique_ptr<Form> form = makeFrmMain(clock);
};

// The two lower panels reach one pixel below the window, which clips them.
TEST_F(GameLayout, EveryElementLiesInsideTheWindow) {
  for (const auto& e : form->elements()) {
    const Rect& r = e->geometry();
    const bool lowerPanel = e->name() == "Shape1" || e->name() == "txtNTelVypis";
    const std::string name = e->name().toStdString();
    EXPECT_GE(r.left, 0) << name;
    EXPECT_GE(r.top, 0) << name;
    EXPECT_LE(r.right(), kSceneWidth * kTwipsPerPixel) << name;
    EXPECT_LE(r.bottom(), (kSceneHeight + (lowerPanel ? 1 : 0)) * kTwipsPerPixel) << name;
  }
}

// Where two elements overlap (the phone's square and video once moved onto the logo), the
// upper one is drawn above: the winnings plate over its black backdrop over the plates and
// texts, every text over its plate, the bars and percentages over the graph over the logo.
TEST_F(GameLayout, OverlappingElementsAreDrawnUpperOverLower) {
  const std::pair<const char*, const char*> upperLower[] = {
      {"txtNTelVypis", "Shape1"}, {"imgVyhra", "Shape1"}, {"Shape1", "lblZadani"}, {"Shape1", "imgA"},
      {"Shape1", "lblD"},         {"lblZadani", "imgZadani"}, {"lblA", "imgA"},  {"lblD", "imgD"},
      {"WMP3", "imgLogo"},        {"Shape2", "imgLogo"},  {"colNDivA", "imgNDivGraf"}, {"lblNDivD", "imgNDivGraf"},
      {"imgNDivGraf", "imgLogo"}};
  for (const auto& [upper, lower] : upperLower) {
    ASSERT_LT(depth(lower), static_cast<int>(form->elements().size())) << lower;
    EXPECT_LT(depth(upper), depth(lower)) << upper << " over " << lower;
  }
}

// Every bitmap the game puts on a picture element fills it exactly (15 twips to a pixel).
TEST_F(GameLayout, EachBitmapIsTheSizeOfTheElementsThatShowIt) {
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
