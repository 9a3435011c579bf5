#include "assets/layout_rules.h"

#include "assets/layout_builders.h"

namespace kvz {

namespace layout {

void infoTitle(Form& f, Rect r, const QString& caption) {
  Look look = textLook("Arial", 15.75, true, {128, 128, 255}, Align::Center);
  look.font.underline = true;
  text(f, QStringLiteral("Label2"), r, caption, look);
}

void infoText(Form& f, const QString& name, Rect r, const QString& caption, double points, bool bold, Align align) {
  text(f, name, r, caption, textLook("Arial", points, bold, {255, 255, 255}, align));
}

void infoDecoration(Form& f, Rect r, const char* bitmap) { picture(f, QStringLiteral("Image2"), r, bitmap); }

void infoOkButton(Form& f) {
  Element& ok = f.add(ElementKind::Button, QStringLiteral("Command1"), {4373, 6645, 855, 375});
  ok.setCaption(QStringLiteral("OK"));
  ok.look().font = FontSpec{QStringLiteral("MS Sans Serif"), 9.75, true, false};
  ok.look().align = Align::Center;
}

}  // namespace layout

namespace {

struct KeyPicture {
  const char* bitmap;
  int left, top, width;
};

// Index 0 to 8 of the key pictures: answers, lifelines, information and quit.
constexpr KeyPicture kKeys[] = {
    {"KEY-A", 387, 2809, 540},   {"KEY-B", 1107, 2809, 540},  {"KEY-C", 1827, 2809, 540},
    {"KEY-D", 2547, 2809, 540},  {"KEY-F5", 1107, 3529, 540}, {"KEY-F6", 1827, 3529, 540},
    {"KEY-F7", 2547, 3529, 540}, {"KEY-F10", 1827, 4249, 525}, {"KEY-ESC", 2547, 4249, 540},
};

}  // namespace

std::unique_ptr<Form> makeFrmRules() {
  using namespace layout;
  auto form = std::make_unique<Form>(QStringLiteral("frmRules"), QStringLiteral("Kvizarion"));
  Form& f = *form;

  infoTitle(f, {3015, 180, 3585, 360}, QStringLiteral("PRAVIDLA A OVLÁDÁNÍ"));
  infoText(f, QStringLiteral("Label4"), {593, 769, 8415, 615},
           QStringLiteral("Máte před sebou 15 otázek, bíle jsou vyznačeny záchytné body tj. otázka 5. a 10."), 12, false);
  infoText(f, QStringLiteral("Label5"), {593, 1249, 7455, 615},
           QStringLiteral("K dispozici máte 3 nápovědy: 50:50, přitele na telefonu a pomoc diváků. Každou můžete "
                          "během hry využít pouze jednou."),
           12, false);
  infoText(f, QStringLiteral("Label6"), {593, 1969, 7335, 375},
           QStringLiteral("Hru můžete kdykoli ukončit s tím, že vám bude přidělena aktuální výhra."), 12, false);
  infoText(f, QStringLiteral("Label3"), {3394, 2929, 3240, 270}, QStringLiteral("označení odpovědi A / B / C / D"),
           12, false);
  infoText(f, QStringLiteral("Label7"), {3394, 3649, 5820, 270},
           QStringLiteral("využití nápovědy 50:50 / přítel na telefonu / pomoc diváků"), 12, false);
  infoText(f, QStringLiteral("Label8"), {3394, 4369, 5370, 270},
           QStringLiteral("informace o aktuální otázce / ukončení probíhající hry"), 12, false);

  for (int i = 0; i < 9; ++i) {
    const KeyPicture& k = kKeys[i];
    picture(f, QStringLiteral("Image1(%1)").arg(i), {k.left, k.top, k.width, 525}, k.bitmap);
  }

  infoText(f, QStringLiteral("Label1"), {-67, 5209, 9735, 375},
           QStringLiteral("Tato hra je pouze pro zábavu. Nemůžete v ní vyhrát žádné skutečné peníze !!"), 9.75, true,
           Align::Center);
  infoDecoration(f, {2933, 5689, 3735, 675}, "DEKOR-RULES");
  infoOkButton(f);
  return form;
}

}  // namespace kvz
