#include "shell/qt/xrandr_display.h"

// Xlib defines macros (None, Bool, Status) that clash with Qt: no Qt header in this file.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>
#include <vector>

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

// Reading the screen configuration makes the server probe its outputs, which takes long on
// real hardware; so it is read once and again only after a change.
class XRandrDisplay final : public DisplayMode {
public:
  explicit XRandrDisplay(Display* display) : display_(display), root_(DefaultRootWindow(display)) {
    // The mode found at start, which the restore brings back with its own refresh rate.
    startSize_ = current();
    if (const ScreenConfig& c = config()) startRate_ = XRRConfigCurrentRate(c.get());
  }
  ~XRandrDisplay() override {
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
    Status status = trySwitch(width, height);
    // Changed by someone else since it was read: read it afresh and try once more.
    if (status == RRSetConfigInvalidConfigTime) status = trySwitch(width, height);
    return status == RRSetConfigSuccess;
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
  ScreenSize startSize_;
  int startRate_ = 0;
};

}  // namespace

std::unique_ptr<DisplayMode> openXRandrDisplay(Display* windowSystemDisplay) {
  Display* display = XOpenDisplay(windowSystemDisplay ? DisplayString(windowSystemDisplay) : nullptr);
  if (!display) return nullptr;
  int eventBase = 0, errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) {
    XCloseDisplay(display);
    return nullptr;
  }
  return std::make_unique<XRandrDisplay>(display);
}

}  // namespace kvz
