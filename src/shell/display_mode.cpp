#include "shell/display_mode.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace kvz {

int rateFor(ScreenSize target, ScreenSize startSize, int startRate, int currentRate, const std::vector<int>& offered) {
  if (target == startSize && std::find(offered.begin(), offered.end(), startRate) != offered.end()) return startRate;
  int best = 0;
  for (int rate : offered)
    if (best == 0 || std::abs(rate - currentRate) < std::abs(best - currentRate)) best = rate;
  return best;
}

void ZmenRozliseni(DisplayMode& display, std::int16_t width, std::int16_t height) {
  try {
    if (display.offers(width, height)) display.switchTo(width, height);
  } catch (const std::exception&) {
    // A failing display call ends the operation quietly; the caller goes on.
  }
}

}  // namespace kvz
