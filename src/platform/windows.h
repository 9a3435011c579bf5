#pragma once

#include <memory>

namespace kvz {

class Form;

// The window system as the logic sees it. The Qt one makes a widget for each shown form;
// the test double records what was shown and unloaded.
class WindowSystem {
public:
  virtual ~WindowSystem() = default;
  // Shows a loaded window. With an owner it is modal over it: the owner takes no input
  // until this window is unloaded. Returns at once.
  virtual void show(Form& form, Form* modalOwner = nullptr) = 0;
  // True while the form has a window: false once it is unloaded, and once its owner's
  // unloading took its window along.
  virtual bool isShown(const Form& form) const = 0;
  // Places a window on the screen, in pixels.
  virtual void moveWindow(Form& form, int x, int y) = 0;
  // Unloads a window: its timers stop and its view goes at once; the form itself is
  // destroyed once the running handler has returned (it may be one of the form's own).
  virtual void unload(std::unique_ptr<Form> form) = 0;
  // Lets pending window events run once, so that what was just shown gets painted.
  virtual void processEvents() = 0;
  // Ends the program at once: all windows close without further handlers running.
  virtual void quit() = 0;
};

}  // namespace kvz
