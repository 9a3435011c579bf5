#pragma once

#include <memory>

#include "platform/form.h"

namespace kvz {

// The rules screen as laid out: title, rule texts, the nine key pictures with their
// explanations, the notice, the decoration and the "OK" button.
std::unique_ptr<Form> makeFrmRules();

namespace layout {
// The pieces the rules and about screens share: the underlined title, a body text, the
// decoration and the "OK" button.
void infoTitle(Form& f, Rect r, const QString& caption);
void infoText(Form& f, const QString& name, Rect r, const QString& caption, double points, bool bold,
              Align align = Align::Left);
void infoDecoration(Form& f, Rect r, const char* bitmap);
void infoOkButton(Form& f);
}  // namespace layout

}  // namespace kvz
