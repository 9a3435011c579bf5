#include "assets/layout_builders.h"

namespace kvz {

namespace layout {

Element& picture(Form& f, const QString& name, Rect r, const char* bitmap, Pointer pointer) {
  Element& e = f.add(ElementKind::Picture, name, r);
  e.setPicture(QString::fromLatin1(bitmap));
  e.setPointer(pointer);
  return e;
}

Element& text(Form& f, const QString& name, Rect r, const QString& caption, const Look& look) {
  Element& e = f.add(ElementKind::Text, name, r);
  e.look() = look;
  e.setCaption(caption);
  return e;
}

Element& box(Form& f, const QString& name, Rect r, Rgb fill, std::optional<Rgb> outline) {
  Element& e = f.add(ElementKind::Box, name, r);
  e.look().filled = true;
  e.look().transparent = false;
  e.look().background = fill;
  e.look().outlined = outline.has_value();
  if (outline) e.look().outline = *outline;
  return e;
}

Look textLook(const char* family, double points, bool bold, Rgb colour, Align align) {
  Look look;
  look.font = FontSpec{QString::fromLatin1(family), points, bold, false};
  look.foreground = colour;
  look.align = align;
  // Texts on these screens break at word boundaries within their element, as labels do.
  look.wordWrap = true;
  return look;
}

}  // namespace layout

}  // namespace kvz
