#include "shell/qt/xrandr_display.h"

// Xlib defines macros (None, Bool, Status) that clash with Qt: no Qt header in this file.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/qt/guard_process.h"

namespace kvz {
namespace {

// A refused request must not end the program through Xlib's default error handler.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

class ScreenConfig {
public:
  ScreenConfig(Display* display, Window root) : config_(XRRGetScreenInfo(display, root)) {}
  ~ScreenConfig() {
    if (config_) XRRFreeScreenConfigInfo(config_);
  }
  ScreenConfig(const ScreenConfig&) = delete;
  ScreenConfig& operator=(const ScreenConfig&) = delete;

  explicit operator bool() const { return config_ != nullptr; }
  XRRScreenConfiguration* get() const { return config_; }

  // Index of the size width x height among the offered sizes, or -1.
  int sizeIndex(int width, int height) const {
    int count = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(config_, &count);
    for (int i = 0; i < count; ++i)
      if (sizes[i].width == width && sizes[i].height == height) return i;
    return -1;
  }

private:
  XRRScreenConfiguration* config_;
};

// The mode found at start: its size and refresh rate.
struct StartMode {
  ScreenSize size;
  int rate = 0;
};

// Reading the screen configuration makes the server probe its outputs, which takes long on
// real hardware; so it is read once and again only after a change.
class XRandrDisplay final : public DisplayMode {
public:
  // The mode found at start is the one the display has now unless it is given; with a guard
  // program, a guard keeps it from the first switch away until the switch back.
  XRandrDisplay(Display* display, std::optional<StartMode> start, std::string guardProgram)
      : display_(display), root_(DefaultRootWindow(display)), guardProgram_(std::move(guardProgram)) {
    if (start) {
      startSize_ = start->size;
      startRate_ = start->rate;
      return;
    }
    startSize_ = current();
    if (const ScreenConfig& c = config()) startRate_ = XRRConfigCurrentRate(c.get());
  }
  ~XRandrDisplay() override {
    guard_.reset();
    config_.reset();
    XCloseDisplay(display_);
  }

  ScreenSize current() const override {
    const ScreenConfig& c = config();
    if (!c) return {};
    Rotation rotation = 0;
    const int index = XRRConfigCurrentConfiguration(c.get(), &rotation);
    int count = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(c.get(), &count);
    if (index < 0 || index >= count) return {};
    return {sizes[index].width, sizes[index].height};
  }

  bool offers(int width, int height) const override {
    const ScreenConfig& c = config();
    return c && c.sizeIndex(width, height) >= 0;
  }

  int activeMonitors() const override {
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display_, root_, True, &count);
    if (monitors) XRRFreeMonitors(monitors);
    return count > 0 ? count : 1;
  }

  bool switchTo(int width, int height) override {
    const ScreenSize target{width, height};
    const bool leaving = target != startSize_;
    // Started before the switch: from then on, however the game ends, the mode comes back.
    if (leaving && !guard_ && !guardProgram_.empty() && startSize_.width > 0)
      guard_ = GuardProcess::start(guardProgram_, {DisplayString(display_), startSize_, startRate_, target});
    Status status = trySwitch(width, height);
    // Changed by someone else since it was read: read it afresh and try once more.
    if (status == RRSetConfigInvalidConfigTime) status = trySwitch(width, height);
    const bool switched = status == RRSetConfigSuccess;
    if (switched && !leaving && guard_) {
      guard_->sayRestored();
      guard_.reset();
    }
    return switched;
  }

private:
  const ScreenConfig& config() const {
    if (!config_) config_ = std::make_unique<ScreenConfig>(display_, root_);
    return *config_;
  }

  Status trySwitch(int width, int height) {
    const ScreenConfig& c = config();
    if (!c) return RRSetConfigFailed;
    const int index = c.sizeIndex(width, height);
    if (index < 0) return RRSetConfigFailed;
    Rotation rotation = 0;
    const int currentIndex = XRRConfigCurrentConfiguration(c.get(), &rotation);
    const short currentRate = XRRConfigCurrentRate(c.get());
    const auto rate = static_cast<short>(rateFor({width, height}, startSize_, startRate_, currentRate, rates(c, index)));
    if (index == currentIndex && rate == currentRate) return RRSetConfigSuccess;

    XErrorHandler previous = XSetErrorHandler(ignoreXError);
    const Status status = rate > 0
                              ? XRRSetScreenConfigAndRate(display_, c.get(), root_, index, rotation, rate, CurrentTime)
                              : XRRSetScreenConfig(display_, c.get(), root_, index, rotation, CurrentTime);
    XSync(display_, False);
    XSetErrorHandler(previous);
    config_.reset();
    return status;
  }

  static std::vector<int> rates(const ScreenConfig& config, int sizeIndex) {
    int count = 0;
    const short* listed = XRRConfigRates(config.get(), sizeIndex, &count);
    return listed ? std::vector<int>(listed, listed + count) : std::vector<int>{};
  }

  Display* display_;
  Window root_;
  mutable std::unique_ptr<ScreenConfig> config_;
  std::string guardProgram_;
  std::unique_ptr<GuardProcess> guard_;
  ScreenSize startSize_;
  int startRate_ = 0;
};

// A connection of our own to the named server, when it has RandR.
Display* openWithRandr(const char* name) {
  Display* display = XOpenDisplay(name);
  if (!display) return nullptr;
  int eventBase = 0, errorBase = 0;
  if (XRRQueryExtension(display, &eventBase, &errorBase)) return display;
  XCloseDisplay(display);
  return nullptr;
}

}  // namespace

std::unique_ptr<DisplayMode> openXRandrDisplay(Display* windowSystemDisplay, std::string guardProgram) {
  Display* display = openWithRandr(windowSystemDisplay ? DisplayString(windowSystemDisplay) : nullptr);
  if (!display) return nullptr;
  return std::make_unique<XRandrDisplay>(display, std::nullopt, std::move(guardProgram));
}

std::unique_ptr<DisplayMode> openXRandrDisplay(const std::string& name, ScreenSize start, int startRate) {
  Display* display = openWithRandr(name.c_str());
  if (!display) return nullptr;
  return std::make_unique<XRandrDisplay>(display, StartMode{start, startRate}, std::string());
}

}  // namespace kvz
