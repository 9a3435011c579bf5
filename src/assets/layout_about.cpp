#include "assets/layout_about.h"

#include "assets/layout_rules.h"

namespace kvz {

std::unique_ptr<Form> makeFrmAbout() {
  using namespace layout;
  auto form = std::make_unique<Form>(QStringLiteral("frmAbout"), QStringLiteral("Kvizarion"));
  Form& f = *form;

  infoTitle(f, {4305, 180, 1005, 360}, QStringLiteral("O HŘE"));
  infoText(f, QStringLiteral("Label4"), {600, 885, 8415, 615},
           QStringLiteral("Toto je plně funkční ukázková beta verze. Jejím účelem je zjistit zájem uživatelů o tento "
                          "typ hry. Podle něj se rozhodne o další tvorbě."),
           12, false);
  infoText(f, QStringLiteral("Label5"), {600, 1605, 8295, 375},
           QStringLiteral("Hra obsahuje pouze 100 otázek, po dosažení záchytného bodu končí."), 12, false);
  infoText(f, QStringLiteral("Label6"), {600, 2160, 8295, 375},
           QStringLiteral("Minimální doporučená konfigurace: CPU 120 MHz, 16 MB RAM, zvuková karta a lepší."), 9.75,
           false);
  infoText(f, QStringLiteral("Label1"), {660, 3120, 8295, 615},
           QStringLiteral("Navštivte naše internetové stránky a vyplňte krátký dotazník, prosím."), 12, true,
           Align::Center);
  infoText(f, QStringLiteral("Label3"), {1260, 3480, 7095, 375},
           QStringLiteral("Velmi nám tím pomůžete při dalším vývoji hry."), 12, true, Align::Center);
  infoText(f, QStringLiteral("Label7"), {540, 4200, 8535, 495},
           QStringLiteral("Navíc na nich naleznete aktuální informace o připravované plné verzi hry."), 12, true,
           Align::Center);
  infoDecoration(f, {2618, 5205, 4365, 675}, "DEKOR-ABOUT");
  infoOkButton(f);
  return form;
}

}  // namespace kvz
