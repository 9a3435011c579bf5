#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fakes.h"
#include "shell/display_mode.h"
#include "shell/menu_sound.h"

namespace kvz::testing {

// A display with a list of modes that records every switch.
class FakeDisplay final : public DisplayMode {
public:
  ScreenSize size{1024, 768};
  std::vector<ScreenSize> modes{{1024, 768}, {800, 600}, {640, 480}};
  std::vector<ScreenSize> switches;
  bool refuse = false;
  bool broken = false;  // cannot be measured and every call fails, as a display gone away
  int monitors = 1;
  std::function<void()> onSwitch;

  int activeMonitors() const override { return monitors; }
  ScreenSize current() const override { return broken ? ScreenSize{} : size; }
  bool offers(int w, int h) const override {
    if (broken) throw std::runtime_error("display gone");
    for (const ScreenSize& m : modes)
      if (m.width == w && m.height == h) return true;
    return false;
  }
  bool switchTo(int w, int h) override {
    switches.push_back({w, h});
    if (onSwitch) onSwitch();
    if (refuse) return false;
    size = {w, h};
    return true;
  }
};

// The menu sound: records what it was asked to play and tells a set length.
class FakeMenuSound final : public MenuSound {
public:
  int lengthMs = 2500;
  std::vector<QString> played;
  int play(const QString& path) override {
    played.push_back(path);
    return lengthMs;
  }
};

// The recording window system, with a hook that runs whenever pending events are let
// through: queued clicks arrive there in a real window system.
class HookedWindows final : public WindowSystem {
public:
  void show(Form& form, Form* owner = nullptr) override { inner.show(form, owner); }
  void moveWindow(Form& form, int x, int y) override { inner.moveWindow(form, x, y); }
  void unload(std::unique_ptr<Form> form) override { inner.unload(std::move(form)); }
  void processEvents() override {
    inner.processEvents();
    if (onEvents) onEvents();
  }
  void quit() override {
    order.push_back("quit");
    inner.quit();
  }
  fakes::FakeWindowSystem inner;
  std::function<void()> onEvents;
  std::vector<std::string> order;
};

}  // namespace kvz::testing
