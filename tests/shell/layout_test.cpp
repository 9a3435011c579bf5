#include <gtest/gtest.h>

#include "assets/layout_about.h"
#include "assets/layout_intro.h"
#include "assets/layout_rules.h"
#include "assets/picture_names.h"

namespace kvz {
namespace {

int indexOf(const Form& form, const char* name) {
  const auto& all = form.elements();
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i]->name() == QLatin1String(name)) return static_cast<int>(i);
  return -1;
}

const PictureInfo* layoutPicture(const QString& name) {
  for (const PictureInfo& p : kLayoutPictures)
    if (name == QLatin1String(p.name)) return &p;
  return nullptr;
}

TEST(ScreenLayout, EveryPictureIsDrawnAtItsOwnSizeAndExists) {
  for (const auto& form : {makeFrmIntro(), makeFrmRules(), makeFrmAbout()}) {
    for (const auto& e : form->elements()) {
      if (e->kind() != ElementKind::Picture) continue;
      const PictureInfo* p = layoutPicture(e->picture());
      ASSERT_NE(p, nullptr) << form->name().toStdString() << "." << e->name().toStdString();
      if (e->look().stretch) continue;  // the logo is scaled to its element
      EXPECT_EQ(e->geometry().width, p->width * kTwipsPerPixel) << e->name().toStdString();
      EXPECT_EQ(e->geometry().height, p->height * kTwipsPerPixel) << e->name().toStdString();
    }
  }
}

TEST(ScreenLayout, NothingButTheCentredNoticeReachesOutsideTheWindow) {
  for (const auto& form : {makeFrmIntro(), makeFrmRules(), makeFrmAbout()}) {
    EXPECT_EQ(form->widthTwips(), 9600);
    EXPECT_EQ(form->heightTwips(), 7200);
    EXPECT_EQ(form->caption(), QStringLiteral("Kvizarion"));
    for (const auto& e : form->elements()) {
      if (form->name() == QLatin1String("frmRules") && e->name() == QLatin1String("Label1")) continue;
      const Rect& r = e->geometry();
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right() <= 9600 && r.bottom() <= 7200)
          << form->name().toStdString() << "." << e->name().toStdString();
    }
  }
}

TEST(ScreenLayout, TheNineKeysStandInOrderBesideTheirExplanations) {
  const auto rules = makeFrmRules();
  const char* keys[] = {"KEY-A", "KEY-B", "KEY-C", "KEY-D", "KEY-F5", "KEY-F6", "KEY-F7", "KEY-F10", "KEY-ESC"};
  const char* rows[] = {"Label3", "Label3", "Label3", "Label3", "Label7", "Label7", "Label7", "Label8", "Label8"};
  for (int i = 0; i < 9; ++i) {
    const Element& key = (*rules)[QStringLiteral("Image1(%1)").arg(i)];
    const Rect& label = (*rules)[QLatin1String(rows[i])].geometry();
    EXPECT_EQ(key.picture(), QLatin1String(keys[i]));
    const int middle = label.top + label.height / 2;
    EXPECT_TRUE(key.geometry().top < middle && middle < key.geometry().bottom()) << i;
    EXPECT_LT(key.geometry().right(), label.left) << i;
  }
}

TEST(ScreenLayout, TheMenuButtonsTakeClicksWithAHandAndTheLoadingFrameCoversThem) {
  const auto intro = makeFrmIntro();
  for (const char* name : {"imgNova", "imgPrav", "imgAbout", "imgKonec"}) {
    EXPECT_EQ((*intro)[QLatin1String(name)].pointer(), Pointer::Hand) << name;
    EXPECT_LT(indexOf(*intro, "shpLoading"), indexOf(*intro, name)) << name;
  }
  EXPECT_LT(indexOf(*intro, "lblLoading"), indexOf(*intro, "shpLoading"));
  EXPECT_FALSE((*intro)[QStringLiteral("lblLoading")].visible());
  EXPECT_FALSE((*intro)[QStringLiteral("shpLoading")].visible());
}

}  // namespace
}  // namespace kvz
