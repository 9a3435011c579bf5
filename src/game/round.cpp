#include "game/round.h"

#include <cstdlib>

namespace kvz::round {

int suspenseMs(int level) {
  // Levels outside 1..5 do not occur; they get the nearest level's delay, never none, so a
  // pick always reaches its verdict.
  if (level <= 1) return 2000;
  if (level == 2) return 3000;
  if (level <= 4) return 4000;
  return 6000;
}

const Answer* answerOf(const QString& letter) {
  for (const Answer& a : kAnswers)
    if (letter == QLatin1String(a.letter)) return &a;
  return nullptr;
}

QString twoDigits(int value) {
  const QString digits = QString::number(std::abs(value)).rightJustified(2, QLatin1Char('0'));
  return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString levelBitmap(char prefix, int level) { return QLatin1Char(prefix) + twoDigits(level); }

}  // namespace kvz::round
