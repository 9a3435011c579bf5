#include "assets/media_files.h"
#include "assets/picture_texts.h"
#include "game/spoken.h"
#include "game/round.h"
#include "lifelines/lifelines.h"
#include "platform/timing_log.h"

namespace kvz::lifelines {

namespace {
bool isRight(int number, const QString& spravna) {
  return QLatin1String(round::kAnswers[static_cast<std::size_t>(number - 1)].letter) == spravna;
}
}  // namespace

std::array<int, 2> drawRemovals(RandomSource& random, const QString& spravna) {
  // Each draw is accepted with probability at least one half.
  int n = 0;
  do n = random.draw(4);
  while (isRight(n, spravna));
  int m = 0;
  do m = random.draw(4);
  while (m == n || isRight(m, spravna));
  return {n, m};
}

void Lifelines::imgN5050_Click() {
  if (w_.Zamceno) return;
  timingMark(QStringLiteral("fifty-fifty click"));
  w_.Pouzito5050 = true;
  el("imgN5050").setPicture(QStringLiteral("N-5050x"));
  w_.N5050 = false;
  RandomSource& random = w_.services.random;
  random.seedFromClock();
  for (int number : drawRemovals(random, w_.Otazka.Spravna)) {
    const round::Answer& a = round::kAnswers[static_cast<std::size_t>(number - 1)];
    el(a.text).setVisible(false);
    makeInert(a.plate);
  }
  w_.services.effects.setFile(w_.services.paths.fileName(media::kSound5050));
  w_.services.effects.play();
  makeInert("imgN5050");
  QStringList left;
  for (const round::Answer& a : round::kAnswers)
    if (el(a.text).visible()) left << spokenName(el(a.text));
  w_.form()->announce(spoken::fiftyFifty(left));
}

}  // namespace kvz::lifelines
