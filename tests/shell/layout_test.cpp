#include <gtest/gtest.h>

#include <map>

#include "assets/layout_about.h"
#include "assets/layout_intro.h"
#include "assets/layout_rules.h"
#include "assets/picture_names.h"

namespace kvz {
namespace {

using Texts = std::map<QString, QString>;

void expectTexts(const Form& form, const Texts& texts) {
  for (const auto& [name, caption] : texts) {
    const Element* e = form.find(name);
    ASSERT_NE(e, nullptr) << name.toStdString();
    EXPECT_EQ(e->caption(), caption) << form.name().toStdString() << "." << name.toStdString();
  }
}

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

TEST(ScreenTexts, TheMenuShowsItsNoticeWithTheDoubledBlankAndTheLoadingLabel) {
  expectTexts(*makeFrmIntro(),
              {{"Label1", "Toto je pouze ukázková beta verze!  Po dosažení záchytného bodu končí."},
               {"lblLoading", "načítám data..."}});
}

TEST(ScreenTexts, TheRulesScreenShowsEveryTextWithItsCzechLetters) {
  expectTexts(*makeFrmRules(),
              {{"Label2", "PRAVIDLA A OVLÁDÁNÍ"},
               {"Label4", "Máte před sebou 15 otázek, bíle jsou vyznačeny záchytné body tj. otázka 5. a 10."},
               {"Label5", "K dispozici máte 3 nápovědy: 50:50, přitele na telefonu a pomoc diváků. Každou můžete "
                          "během hry využít pouze jednou."},
               {"Label6", "Hru můžete kdykoli ukončit s tím, že vám bude přidělena aktuální výhra."},
               {"Label3", "označení odpovědi A / B / C / D"},
               {"Label7", "využití nápovědy 50:50 / přítel na telefonu / pomoc diváků"},
               {"Label8", "informace o aktuální otázce / ukončení probíhající hry"},
               {"Label1", "Tato hra je pouze pro zábavu. Nemůžete v ní vyhrát žádné skutečné peníze !!"},
               {"Command1", "OK"}});
}

TEST(ScreenTexts, TheAboutScreenShowsEveryTextWithItsCzechLetters) {
  expectTexts(*makeFrmAbout(),
              {{"Label2", "O HŘE"},
               {"Label4", "Toto je plně funkční ukázková beta verze. Jejím účelem je zjistit zájem uživatelů o tento "
                          "typ hry. Podle něj se rozhodne o další tvorbě."},
               {"Label5", "Hra obsahuje pouze 100 otázek, po dosažení záchytného bodu končí."},
               {"Label6", "Minimální doporučená konfigurace: CPU 120 MHz, 16 MB RAM, zvuková karta a lepší."},
               {"Label1", "Navštivte naše internetové stránky a vyplňte krátký dotazník, prosím."},
               {"Label3", "Velmi nám tím pomůžete při dalším vývoji hry."},
               {"Label7", "Navíc na nich naleznete aktuální informace o připravované plné verzi hry."},
               {"Command1", "OK"}});
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
