#include "assets/layout_intro.h"

namespace kvz {

std::unique_ptr<Form> makeFrmIntro() {
  using namespace layout;
  auto form = std::make_unique<Form>(QStringLiteral("frmIntro"), QStringLiteral("Kvizarion"));
  Form& f = *form;

  // The loading frame lies above the buttons it overlaps, its label above the frame.
  text(f, QStringLiteral("lblLoading"), {3090, 3323, 3420, 555}, QStringLiteral("načítám data..."),
       textLook("MS Sans Serif", 24, true, {128, 128, 255}))
      .setVisible(false);
  box(f, QStringLiteral("shpLoading"), {2820, 3060, 3975, 1095}, {0, 0, 0}, Rgb{192, 192, 255}).setVisible(false);

  // The buttons also take Tab and Enter, in this order, for a player without a mouse.
  picture(f, QStringLiteral("imgNova"), {960, 1680, 2430, 525}, "NOVA", Pointer::Hand).setTabStop(true);
  picture(f, QStringLiteral("imgPrav"), {1560, 2880, 2385, 525}, "PRAV", Pointer::Hand).setTabStop(true);
  picture(f, QStringLiteral("imgAbout"), {2760, 4080, 1995, 525}, "ABOUT", Pointer::Hand).setTabStop(true);
  picture(f, QStringLiteral("imgKonec"), {3960, 5160, 2280, 525}, "KONEC", Pointer::Hand).setTabStop(true);
  picture(f, QStringLiteral("imgLogo"), {5400, 600, 3450, 3450}, "LOGO").look().stretch = true;
  picture(f, QStringLiteral("Image1"), {9000, 480, 405, 3660}, "PRUH");

  Look notice = textLook("Arial", 9.75, true, {255, 255, 255}, Align::Center);
  notice.transparent = false;
  notice.background = {192, 0, 0};
  text(f, QStringLiteral("Label1"), {1163, 6480, 7275, 240},
       QStringLiteral("Toto je pouze ukázková beta verze!  Po dosažení záchytného bodu končí."), notice);
  return form;
}

}  // namespace kvz
