#include "shell/display_mode.h"

#include <algorithm>
#include <cstdlib>

namespace kvz {

int rateFor(ScreenSize target, ScreenSize startSize, int startRate, int currentRate, const std::vector<int>& offered) {
  if (target == startSize && std::find(offered.begin(), offered.end(), startRate) != offered.end()) return startRate;
  int best = 0;
  for (int rate : offered)
    if (best == 0 || std::abs(rate - currentRate) < std::abs(best - currentRate)) best = rate;
  return best;
}

void ZmenRozliseni(DisplayMode& display, std::int16_t width, std::int16_t height) {
  if (display.offers(width, height)) display.switchTo(width, height);
}

}  // namespace kvz
