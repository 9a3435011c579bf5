// Prints the place of every element of the four windows in scene pixels, as the view lays
// them out, and the game's durations in ms, as JSON: {"frmMain": {"lblA": [x, y, width,
// height], ...}, ..., "durations": {"suspense": [...], ...}}. The build writes it to
// tests/layout.json, where the whole-program checks read their places and times.
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <cstdio>

#include "assets/layout_about.h"
#include "assets/layout_intro.h"
#include "assets/layout_main.h"
#include "assets/layout_rules.h"
#include "game/round.h"
#include "lifelines/durations.h"
#include "platform/qt/element_views.h"

int main() {
  kvz::VirtualClock clock;
  QJsonObject all;
  for (const auto& form : {kvz::makeFrmMain(clock), kvz::makeFrmIntro(), kvz::makeFrmAbout(), kvz::makeFrmRules()}) {
    QJsonObject places;
    for (const auto& e : form->elements()) {
      const QRect r = kvz::toPixels(e->geometry());
      places[e->name()] = QJsonArray{r.x(), r.y(), r.width(), r.height()};
    }
    all[form->name()] = places;
  }
  using namespace kvz::round;
  using namespace kvz::lifelines;
  QJsonArray suspense;
  for (int level = 1; level <= kvz::kPlayedSteps; ++level) suspense.append(suspenseMs(level));
  all[QStringLiteral("durations")] = QJsonObject{
      {"suspense", suspense}, {"reveal_step", kRevealStepMs}, {"blink", kBlinkMs},
      {"after_right", kAfterRightMs}, {"after_wrong", kAfterWrongMs}, {"winnings_go_on", kWinningsGoOnMs},
      {"winnings_end", kWinningsEndMs}, {"winnings_top", kWinningsTopMs}, {"poll_empty_graph", kPollEmptyGraphMs},
      {"poll_bars", kPollBarsAtMs}, {"call_pick_up", kCallPickUpMs}};
  std::fputs(QJsonDocument(all).toJson(QJsonDocument::Compact).constData(), stdout);
}
