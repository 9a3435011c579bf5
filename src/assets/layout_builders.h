#pragma once

#include <optional>

#include "platform/form.h"

namespace kvz {

// Builders shared by the layouts of the four windows.
namespace layout {
Element& picture(Form& f, const QString& name, Rect r, const char* bitmap, Pointer pointer = Pointer::Arrow);
Element& text(Form& f, const QString& name, Rect r, const QString& caption, const Look& look);
Element& box(Form& f, const QString& name, Rect r, Rgb fill, std::optional<Rgb> outline);
Look textLook(const char* family, double points, bool bold, Rgb colour, Align align = Align::Left);
}  // namespace layout

}  // namespace kvz
