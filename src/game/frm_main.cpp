#include "game/frm_main.h"

#include "assets/layout_main.h"
#include "game/round.h"
#include "lifelines/lifelines.h"
#include "questions/label_text.h"

namespace kvz {

namespace {
// The black square behind the countdown video, over the logo area.
constexpr Rect kShape2Frame{2160, 0, 3375, 3375};
}  // namespace

FrmMain::FrmMain(GameServices services)
    : s_(services),
      tmrNavrat_(std::make_unique<Timer>(services.clock, round::kReturnMs, false)),
      lifelines_(std::make_unique<lifelines::Lifelines>(lifelines::GameWindow::of(*this))) {
  tmrNavrat_->onTick = [this] {
    tmrNavrat_->setEnabled(false);
    if (form_) konecHry();
  };
}

FrmMain::~FrmMain() = default;

Element& FrmMain::el(const char* name) const { return (*form_)[QLatin1String(name)]; }

Timer& FrmMain::tmr(const char* name) const { return form_->timer(QLatin1String(name)); }

void FrmMain::Show() {
  if (form_) {
    s_.windows.show(*form_);
    return;
  }
  Form_Load();
}

void FrmMain::Unload() {
  if (!form_) return;
  ztisPrehravace();
  odejdi(false);
}

void FrmMain::wireHandlers() {
  Form& f = *form_;
  const std::pair<const char*, void (FrmMain::*)()> clicks[] = {
      {"imgA", &FrmMain::imgA_Click},         {"imgB", &FrmMain::imgB_Click},
      {"imgC", &FrmMain::imgC_Click},         {"imgD", &FrmMain::imgD_Click},
      {"lblA", &FrmMain::lblA_Click},         {"lblB", &FrmMain::lblB_Click},
      {"lblC", &FrmMain::lblC_Click},         {"lblD", &FrmMain::lblD_Click},
      {"imgN5050", &FrmMain::imgN5050_Click}, {"imgNTel", &FrmMain::imgNTel_Click},
      {"imgNDiv", &FrmMain::imgNDiv_Click},
  };
  for (const auto& [name, handler] : clicks) el(name).onClick = [this, h = handler] { (this->*h)(); };
  el("imgLogo").onDblClick = [this] { imgLogo_DblClick(); };
  f.onKeyUp = [this](int key, int shift) { Form_KeyUp(key, shift); };

  // Every timer of the window, with its tick handler.
  lifelines::Lifelines& l = *lifelines_;
  const std::pair<const char*, std::function<void()>> ticks[] = {
      {"tmrZobrazeniOtazky", [this] { tmrZobrazeniOtazky_Timer(); }},
      {"tmrZvuk", [this] { tmrZvuk_Timer(); }},
      {"tmrBlik", [this] { tmrBlik_Timer(); }},
      {"tmrCastka", [this] { tmrCastka_Timer(); }},
      {"tmrNDivaci", [&l] { l.tmrNDivaci_Timer(); }},
      {"tmrNTel1", [&l] { l.tmrNTel1_Timer(); }},
      {"tmrNTel2", [&l] { l.tmrNTel2_Timer(); }},
  };
  for (const auto& [name, handler] : ticks) tmr(name).onTick = handler;

  el("WMP1").setMedia(&s_.music);
  el("WMP2").setMedia(&s_.effects);
  el("WMP3").setMedia(&s_.video);
}

void FrmMain::Form_Load() {
  form_ = makeFrmMain(s_.clock);
  ++hra_;
  wireHandlers();

  el("WMP3").setTop(lifelines::kVideoParkedTop);
  s_.video.setFile(s_.paths.fileName(round::kVideo));
  s_.windows.processEvents();

  Element& shape2 = el("Shape2");
  Look frame = shape2.look();
  frame.outline = Rgb{0, 0, 0};
  shape2.setLook(frame);
  shape2.setGeometry(kShape2Frame);

  N5050 = true;
  NDivaci = true;
  NTelefon = true;
  el("imgN5050").setPicture(QStringLiteral("N-5050"));
  el("imgNDiv").setPicture(QStringLiteral("N-div"));
  el("imgNTel").setPicture(QStringLiteral("N-tel"));

  NovaOtazka();
  // Shown once the first question has hidden what the layout shows at creation (the
  // audience graph, the winnings plate), so that they never flash on screen; a game without
  // a first question is not shown at all.
  if (form_ && !tmrNavrat_->enabled()) s_.windows.show(*form_);
}

void FrmMain::NovaOtazka() {
  s_.random.seedFromClock();

  for (const char* name : {"tmrZvuk", "tmrBlik", "tmrCastka", "tmrZobrazeniOtazky", "tmrNDivaci"})
    tmr(name).setEnabled(false);

  DuvodKonce.clear();
  KrokBliku = 0;
  SpravnaOdpoved = false;
  KrokCastky = 0;
  KrokZobrazeni = 0;
  Pouzito5050 = false;
  PouzitoDivaci = false;

  el("Shape1").setVisible(false);
  el("imgVyhra").setVisible(false);

  TelPocetZnaku = 0;
  el("txtNTelVypis").setCaption(QString());

  // Seeded a second time on purpose: the draw of the question file follows this seed, and a
  // fixed seed (KVIZARION_SEED) ignores both, so replays stay exact.
  s_.random.seedFromClock();

  // Not a slip: unlocking first puts the blue plates back and the lifeline icons as their
  // availability says; the lock then blocks everything until the reveal ends.
  Odemkni();
  Zamkni();

  HodnotaOtazky = static_cast<std::int16_t>(HodnotaOtazky + 1);
  if (HodnotaOtazky == 1) {
    s_.music.setFile(s_.paths.fileName(round::kMusic));
    s_.music.play();
  }
  el("imgStupnice").setPicture(round::levelBitmap('S', HodnotaOtazky));

  if (!nactiOtazku()) return;

  el("lblZadani").setCaption(Otazka.Zadani);
  el("lblA").setCaption(Otazka.OdpA);
  el("lblB").setCaption(Otazka.OdpB);
  el("lblC").setCaption(Otazka.OdpC);
  el("lblD").setCaption(Otazka.OdpD);
  for (const char* name : round::kTexts) el(name).setCaption(labelText(el(name).caption()));

  RozmistiZadani();
  SkryjHlasovani();

  for (const char* name : round::kTexts) el(name).setVisible(false);

  tmrZobrazeniOtazky_Timer();
  tmr("tmrZobrazeniOtazky").setEnabled(true);
}

void FrmMain::SkryjHlasovani() {
  for (const char* name : round::kPollElements) el(name).setVisible(false);
  el("imgLogo").setVisible(true);
}

}  // namespace kvz
