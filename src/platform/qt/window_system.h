#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "platform/qt/form_view.h"
#include "platform/windows.h"

namespace kvz {

// Shows each form in a FormView of its own: a fixed 640 x 480 client area with no maximise
// or minimise button, centred on the screen when it opens. Nothing here blocks.
class QtWindowSystem final : public WindowSystem {
public:
  QtWindowSystem() = default;
  ~QtWindowSystem() override;

  void show(Form& form, Form* modalOwner = nullptr) override;
  void moveWindow(Form& form, int x, int y) override;
  void unload(std::unique_ptr<Form> form) override;
  void processEvents() override;
  void quit() override;

  // The window of a shown form, null when it is not shown (the shell times its first paint,
  // tests grab its pixels).
  FormView* viewOf(const Form& form) const;

private:
  std::vector<QPointer<FormView>> views_;
};

}  // namespace kvz
