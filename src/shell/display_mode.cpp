#include "shell/display_mode.h"

#include <exception>

namespace kvz {

void ZmenRozliseni(DisplayMode& display, std::int16_t width, std::int16_t height) {
  try {
    if (display.offers(width, height)) display.switchTo(width, height);
  } catch (const std::exception&) {
    // A failing display call ends the operation quietly; the caller goes on.
  }
}

}  // namespace kvz
