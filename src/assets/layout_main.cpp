#include "assets/layout_main.h"

#include <optional>

#include "assets/layout_builders.h"
#include "game/durations.h"
#include "lifelines/durations.h"
#include "lifelines/graph.h"

namespace kvz {
namespace {

using layout::box;
using layout::picture;

const FontSpec kSans135{QStringLiteral("MS Sans Serif"), 13.5, false, false};
const FontSpec kSans825Bold{QStringLiteral("MS Sans Serif"), 8.25, true, false};

Element& text(Form& f, const char* name, Rect r, const Look& look, Pointer pointer = Pointer::Arrow) {
  Element& e = layout::text(f, QString::fromLatin1(name), r, QString(), look);
  e.setPointer(pointer);
  return e;
}

}  // namespace

std::unique_ptr<Form> makeFrmMain(Clock& clock) {
  auto form = std::make_unique<Form>(QStringLiteral("frmMain"), QStringLiteral("Kvizarion"));
  Form& f = *form;

  Element& panel = f.add(ElementKind::TextPanel, QStringLiteral("txtNTelVypis"), {293, 4920, 9015, 2295});
  panel.setVisible(false);
  panel.look().transparent = false;
  panel.look().background = {0, 0, 0};
  panel.look().foreground = {0, 255, 255};
  panel.look().font = kSans135;
  panel.look().wordWrap = true;

  // The music and effect players serve sound only and show nothing.
  f.add(ElementKind::Media, QStringLiteral("WMP1"), {720, 1920, 735, 375}).setVisible(false);
  f.add(ElementKind::Media, QStringLiteral("WMP2"), {720, 2400, 735, 375}).setVisible(false);
  f.add(ElementKind::Media, QStringLiteral("WMP3"), {480, 120, 1800, 1800});

  box(f, QStringLiteral("Shape2"), {5280, 240, 1095, 1095}, {0, 0, 0}, Rgb{255, 0, 0}).setVisible(false);

  using namespace lifelines;
  const char* barNames[] = {"colNDivA", "colNDivB", "colNDivC", "colNDivD"};
  for (int i = 0; i < 4; ++i)
    box(f, QString::fromLatin1(barNames[i]), {kBarLefts[i], kGraphBaseline - kBarStartHeight, kBarWidth, kBarStartHeight},
        {255, 0, 0}, std::nullopt);

  Look percent;
  percent.font = kSans825Bold;
  percent.transparent = false;
  percent.background = {0, 0, 0};
  percent.align = Align::Center;
  const int percentLefts[] = {2795, 3270, 3750, 4230};
  const char* percentNames[] = {"lblNDivA", "lblNDivB", "lblNDivC", "lblNDivD"};
  // Read with the letter the graph panel shows below each bar.
  const char* letters[] = {"A: ", "B: ", "C: ", "D: "};
  for (int i = 0; i < 4; ++i) {
    Element& e = text(f, percentNames[i], {percentLefts[i], 270, 615, 255}, percent);
    e.setCaption(QStringLiteral("25%"));
    e.setSpokenPrefix(QLatin1String(letters[i]));
  }

  picture(f, QStringLiteral("imgVyhra"), {0, 5280, 9600, 1425}, "C01");
  box(f, QStringLiteral("Shape1"), {0, 4560, 9600, 2655}, {0, 0, 0}, std::nullopt);

  Look question;
  question.font = kSans135;
  question.align = Align::Center;
  question.wordWrap = true;
  text(f, "lblZadani", {1080, 4800, 7455, 735}, question);
  picture(f, QStringLiteral("imgZadani"), {0, 4440, 9600, 1425}, "ZADANI");

  picture(f, QStringLiteral("imgN5050"), {1920, 3600, 1080, 705}, "N-5050X", Pointer::Hand);
  picture(f, QStringLiteral("imgNTel"), {3240, 3600, 1080, 705}, "N-TELX", Pointer::Hand);
  picture(f, QStringLiteral("imgNDiv"), {4560, 3600, 1080, 705}, "N-DIVX", Pointer::Hand);

  // Answers stay on one line: a longer text shows only what fits in its element.
  Look answer;
  answer.font = kSans135;
  // Read with the letter and colon their plate shows: "A: ..." to "D: ...".
  text(f, "lblA", {1200, 6000, 3135, 375}, answer, Pointer::Hand).setSpokenPrefix(QLatin1String(letters[0]));
  text(f, "lblB", {6000, 6000, 3135, 375}, answer, Pointer::Hand).setSpokenPrefix(QLatin1String(letters[1]));
  text(f, "lblC", {1200, 6720, 3135, 375}, answer, Pointer::Hand).setSpokenPrefix(QLatin1String(letters[2]));
  text(f, "lblD", {6000, 6720, 3135, 375}, answer, Pointer::Hand).setSpokenPrefix(QLatin1String(letters[3]));

  picture(f, QStringLiteral("imgA"), {0, 5880, 4800, 555}, "A-M", Pointer::Hand);
  picture(f, QStringLiteral("imgB"), {4800, 5880, 4800, 555}, "B-M", Pointer::Hand);
  picture(f, QStringLiteral("imgC"), {0, 6600, 4800, 555}, "C-M", Pointer::Hand);
  picture(f, QStringLiteral("imgD"), {4800, 6600, 4800, 555}, "D-M", Pointer::Hand);

  picture(f, QStringLiteral("imgStupnice"), {6480, 0, 3000, 4665}, "S03");
  picture(f, QStringLiteral("imgNDivGraf"), {kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight}, kGraphPicture);
  picture(f, QStringLiteral("imgLogo"), {2280, 120, 2970, 3090}, kLogoPicture).look().stretch = true;

  f.addTimer(clock, QStringLiteral("tmrZobrazeniOtazky"), round::kRevealStepMs, true);
  f.addTimer(clock, QStringLiteral("tmrCastka"), 1000, true);
  f.addTimer(clock, QStringLiteral("tmrBlik"), round::kBlinkMs, true);
  f.addTimer(clock, QStringLiteral("tmrZvuk"), 0, true);
  f.addTimer(clock, QStringLiteral("tmrNDivaci"), lifelines::kPollEmptyGraphMs, false);
  f.addTimer(clock, QStringLiteral("tmrNTel1"), lifelines::kCallPickUpMs, false);
  f.addTimer(clock, QStringLiteral("tmrNTel2"), lifelines::kTypingMs, false);
  return form;
}

}  // namespace kvz
