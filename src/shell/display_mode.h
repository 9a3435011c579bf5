#pragma once

#include <cstdint>
#include <vector>

namespace kvz {

// Size of a display in pixels.
struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};

// The display modes of the current output. The X11 one works through RandR; where there is
// no such means the program sees a display that offers no other mode.
class DisplayMode {
public:
  virtual ~DisplayMode() = default;
  // The size the display has now; {0, 0} when it cannot be told.
  virtual ScreenSize current() const = 0;
  // Whether the current output offers a mode of exactly this size.
  virtual bool offers(int width, int height) const = 0;
  // Switches to a mode of this size, keeping the colour depth; the refresh rate is the one
  // rateFor() picks. False when the display refused; the game does not look.
  virtual bool switchTo(int width, int height) = 0;
  // How many monitors show the desktop now; 1 when it cannot be told.
  virtual int activeMonitors() const { return 1; }
};

// The refresh rate to ask for when switching to target: going back to the size found at
// start, the rate found at start (when that size still offers it), so the restore brings
// back exactly the mode the player had; any other size, its offered rate nearest the
// current one. 0 when the size lists no rate.
int rateFor(ScreenSize target, ScreenSize startSize, int startRate, int currentRate, const std::vector<int>& offered);

// A display without any mode to switch to: Wayland, offscreen, an X server without RandR.
class FixedDisplay final : public DisplayMode {
public:
  explicit FixedDisplay(ScreenSize size = {}) : size_(size) {}
  ScreenSize current() const override { return size_; }
  bool offers(int, int) const override { return false; }
  bool switchTo(int, int) override { return false; }

private:
  ScreenSize size_;
};

// Switches the current display to width x height if it offers such a mode; otherwise, or
// when anything fails on the way, changes nothing and says nothing.
void ZmenRozliseni(DisplayMode& display, std::int16_t width, std::int16_t height);

}  // namespace kvz
