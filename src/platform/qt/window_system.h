#pragma once

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <vector>

#include "platform/qt/form_view.h"
#include "platform/windows.h"

namespace kvz {

// Shows each form in a FormView of its own. As a window: a fixed 640 x 480 client area with
// no maximise or minimise button, centred on the screen when it opens. Full screen: a
// frameless window covering the game's monitor (the one the first window opens on, the
// primary), following that monitor's size, the scene scaled and centred in it; message
// boxes then come at the same scale. Nothing here blocks.
class QtWindowSystem final : public WindowSystem {
public:
  explicit QtWindowSystem(WindowFit fit = WindowFit::FormSize) : fit_(fit) {}
  ~QtWindowSystem() override;

  void show(Form& form, Form* modalOwner = nullptr) override;
  bool isShown(const Form& form) const override { return viewOf(form) != nullptr; }
  void moveWindow(Form& form, int x, int y) override;
  void unload(std::unique_ptr<Form> form) override;
  void processEvents() override;
  void quit() override;

  // The window of a shown form, null when it is not shown (the shell times its first paint,
  // tests grab its pixels).
  FormView* viewOf(const Form& form) const;

private:
  WindowFit fit_;
  QPointer<QScreen> screen_;
  std::vector<QPointer<FormView>> views_;
};

}  // namespace kvz
