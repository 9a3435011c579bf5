#include <algorithm>
#include <cmath>

#include "assets/media_files.h"
#include "assets/picture_texts.h"
#include "game/spoken.h"
#include "game/round.h"
#include "lifelines/lifelines.h"
#include "platform/timing_log.h"

namespace kvz::lifelines {

namespace {

const char* const kBars[] = {"colNDivA", "colNDivB", "colNDivC", "colNDivD"};
const char* const kPercents[] = {"lblNDivA", "lblNDivB", "lblNDivC", "lblNDivD"};

// Heights and sums are computed wide: a typo in a stored share must not stop the drawing.
Bar bar(std::int64_t percent) {
  Bar b;
  b.caption = QString::number(percent) + QLatin1Char('%');
  b.height = static_cast<int>(std::clamp<std::int64_t>(kTwipsPerPoint * percent, 0, kGraphBaseline));
  b.top = kGraphBaseline - b.height;
  return b;
}

// The lower and the upper half of a sum: they add up to it, the odd point going up.
int half(int sum, double offset) { return static_cast<int>(std::lround(sum / 2.0 + offset)); }

}  // namespace

Graph drawGraph(const std::array<std::int16_t, 4>& shares, const std::array<bool, 4>* visible) {
  Graph g;
  for (std::size_t i = 0; i < 4; ++i) g.bars[i] = bar(shares[i]);
  if (!visible) return g;
  // The pairs in the order they are tried; the two other answers of each were removed.
  constexpr std::array<std::array<std::size_t, 4>, 6> kPairs{{
      {0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}, {1, 3, 0, 2}, {1, 2, 0, 3}, {2, 3, 0, 1},
  }};
  for (const auto& [p, q, r, s] : kPairs) {
    if (!(*visible)[p] || !(*visible)[q]) continue;
    const int SoucetOdebranych = shares[r] + shares[s];
    g.bars[p] = bar(std::int64_t{shares[p]} + half(SoucetOdebranych, -0.1));
    g.bars[q] = bar(std::int64_t{shares[q]} + half(SoucetOdebranych, +0.1));
    g.bars[r] = bar(0);
    g.bars[s] = bar(0);
  }
  return g;
}

void Lifelines::imgNDiv_Click() {
  if (w_.Zamceno) return;
  timingMark(QStringLiteral("poll click"));
  w_.PouzitoDivaci = true;
  el("imgNDiv").setPicture(QStringLiteral("N-divx"));
  w_.NDivaci = false;
  w_.Zamkni();
  w_.services.music.stop();
  w_.services.effects.setFile(w_.services.paths.fileName(media::kSoundPoll));
  w_.services.effects.play();
  tmr("tmrNDivaci").setEnabled(true);
  makeInert("imgNDiv");
}

void Lifelines::tmrNDivaci_Timer() {
  Timer& timer = tmr("tmrNDivaci");
  const int phase = timer.interval();
  if (phase == kPollResultMs) {
    timingMark(QStringLiteral("poll result"));
    ZobrazHlasovani();
    timer.setInterval(kPollReturnMs);
  } else if (phase == kPollReturnMs) {
    timingMark(QStringLiteral("poll return"));
    w_.services.music.setFile(w_.services.paths.fileName(media::kMusic));
    w_.services.music.play();
    w_.Odemkni();
    timer.setEnabled(false);
  } else {
    timingMark(QStringLiteral("poll empty graph"));
    el("imgLogo").setVisible(false);
    el("imgNDivGraf").setVisible(true);
    timer.setInterval(kPollResultMs);
  }
}

void Lifelines::ZobrazHlasovani() {
  el("imgNDivGraf").setVisible(true);
  const ZaznamOtazky& q = w_.Otazka;
  std::array<bool, 4> visible{};
  for (std::size_t i = 0; i < 4; ++i) visible[i] = el(round::kAnswers[i].text).visible();
  const Graph g = drawGraph({q.DivaciA, q.DivaciB, q.DivaciC, q.DivaciD}, w_.Pouzito5050 ? &visible : nullptr);
  for (std::size_t i = 0; i < 4; ++i) {
    el(kPercents[i]).setCaption(g.bars[i].caption);
    Element& column = el(kBars[i]);
    column.setHeight(g.bars[i].height);
    column.setTop(g.bars[i].top);
  }
  for (const char* name : kBars) el(name).setVisible(true);
  for (const char* name : kPercents) el(name).setVisible(true);
  QStringList percents;
  for (const char* name : kPercents) percents << spokenName(el(name));
  w_.form()->announce(spoken::poll(percents));
}

}  // namespace kvz::lifelines
