#pragma once

#include <QString>

namespace kvz {

struct FontSpec;

// Width of a text written on one line in a given font, in twips. The Qt one measures with
// the font the window shows; tests use a fixed width per character.
class TextMeasure {
public:
  virtual ~TextMeasure() = default;
  virtual int widthTwips(const QString& text, const FontSpec& font) const = 0;
};

}  // namespace kvz
