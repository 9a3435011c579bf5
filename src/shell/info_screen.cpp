#include "shell/info_screen.h"

#include "shell/fit_texts.h"

namespace kvz {

void InfoScreen::Show(Form& owner) {
  if (form_ && !isOpen()) windows_.unload(std::move(form_));
  if (!form_) {
    form_ = layout_();
    fitTexts(*form_, measure_);
    (*form_)[QStringLiteral("Command1")].onClick = [this] { Command1_Click(); };
    form_->onCloseRequest = [this] { Command1_Click(); };
  }
  windows_.show(*form_, &owner);
}

void InfoScreen::Command1_Click() {
  if (!form_) return;
  windows_.unload(std::move(form_));
}

}  // namespace kvz
