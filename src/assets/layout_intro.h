#pragma once

#include <memory>
#include <optional>

#include "platform/form.h"

namespace kvz {

// The start menu as laid out: four picture buttons, the logo, the strip, the beta notice and
// the hidden loading frame.
std::unique_ptr<Form> makeFrmIntro();

// Builders shared by the layouts of the menu and the two information screens.
namespace layout {
Element& picture(Form& f, const QString& name, Rect r, const char* bitmap, Pointer pointer = Pointer::Arrow);
Element& text(Form& f, const QString& name, Rect r, const QString& caption, const Look& look);
Element& box(Form& f, const QString& name, Rect r, Rgb fill, std::optional<Rgb> outline);
Look textLook(const char* family, double points, bool bold, Rgb colour, Align align = Align::Left);
}  // namespace layout

}  // namespace kvz
