#pragma once

#include <functional>
#include <memory>

#include "platform/form.h"
#include "platform/text_measure.h"
#include "platform/windows.h"

namespace kvz {

// The rules screen frmRules and the about screen frmAbout: fixed texts with an "OK" button,
// shown modal over the start menu. One object for the whole run; its form is made at each
// showing and discarded by "OK".
class InfoScreen {
public:
  using Layout = std::function<std::unique_ptr<Form>()>;
  InfoScreen(WindowSystem& windows, const TextMeasure& measure, Layout layout)
      : windows_(windows), measure_(measure), layout_(std::move(layout)) {}
  InfoScreen(const InfoScreen&) = delete;
  InfoScreen& operator=(const InfoScreen&) = delete;

  // Loads the screen and shows it modal over the owner; while it is open, showing it again
  // only brings it forward.
  void Show(Form& owner);
  // "OK": unloads the screen; the owner is usable again. Closing it with the window
  // manager does the same.
  void Command1_Click();

  // A screen whose window went with its owner is closed, whatever it still holds.
  bool isOpen() const { return form_ && windows_.isShown(*form_); }
  Form* form() const { return form_.get(); }

private:
  WindowSystem& windows_;
  const TextMeasure& measure_;
  Layout layout_;
  std::unique_ptr<Form> form_;
};

}  // namespace kvz
