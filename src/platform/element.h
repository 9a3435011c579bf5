#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace kvz {

class MediaBackend;

// 15 twips make one pixel on every window of the game.
inline constexpr int kTwipsPerPixel = 15;

enum class ElementKind { Picture, Text, Box, TextPanel, Media, Button };
enum class Pointer { Arrow, Hand };
enum class Align { Left, Center, Right };

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A font as the layouts name it ("MS Sans Serif", "Arial"); the Qt layer picks the face.
struct FontSpec {
  QString family = QStringLiteral("MS Sans Serif");
  double points = 8.25;
  bool bold = false;
  bool underline = false;
  bool operator==(const FontSpec&) const = default;
};

// Place and size in twips.
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// How an element looks apart from its state: fixed by the window's layout.
struct Look {
  FontSpec font;
  Rgb foreground{255, 255, 255};
  Rgb background{0, 0, 0};
  bool transparent = true;  // texts: no background of their own
  Align align = Align::Left;
  bool wordWrap = false;    // texts: wrap at word boundaries within the width
  bool stretch = false;     // pictures: scale the bitmap to the element
  bool filled = false;      // boxes: solid fill in the background colour
  bool outlined = false;    // boxes: one-pixel outline in the outline colour
  Rgb outline{0, 0, 0};
  bool operator==(const Look&) const = default;
};

// One named element of a window. It holds its state; a view (the Qt layer) shows it and
// is told of every change. Clicks reach the handlers only while the element is visible
// and enabled, as a window system delivers them.
class Element {
public:
  Element(ElementKind kind, QString name, Rect geometry) : kind_(kind), name_(std::move(name)), geometry_(geometry) {}
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  ElementKind kind() const { return kind_; }
  const QString& name() const { return name_; }

  bool visible() const { return visible_; }
  void setVisible(bool on) { set(visible_, on); }
  bool enabled() const { return enabled_; }
  void setEnabled(bool on) { set(enabled_, on); }
  // Name of the bitmap shown by a picture element; empty for none.
  const QString& picture() const { return picture_; }
  void setPicture(const QString& bitmapName) { set(picture_, bitmapName); }
  const QString& caption() const { return caption_; }
  void setCaption(const QString& text) { set(caption_, text); }
  Pointer pointer() const { return pointer_; }
  void setPointer(Pointer p) { set(pointer_, p); }

  const Rect& geometry() const { return geometry_; }
  void setGeometry(const Rect& r) { set(geometry_, r); }
  void setLeft(int v) { setGeometry({v, geometry_.top, geometry_.width, geometry_.height}); }
  void setTop(int v) { setGeometry({geometry_.left, v, geometry_.width, geometry_.height}); }
  void setWidth(int v) { setGeometry({geometry_.left, geometry_.top, v, geometry_.height}); }
  void setHeight(int v) { setGeometry({geometry_.left, geometry_.top, geometry_.width, v}); }
  void move(int left, int top) { setGeometry({left, top, geometry_.width, geometry_.height}); }

  Look& look() { return look_; }
  const Look& look() const { return look_; }
  // Changes the look after the layout (outline colour of a box, alignment of a text).
  void setLook(const Look& look) { set(look_, look); }

  // What assistive technology reads before the caption ("A: " before an answer), fixed by
  // the layout: the letter a plate shows beside its text.
  const QString& spokenPrefix() const { return spokenPrefix_; }
  void setSpokenPrefix(const QString& prefix) { spokenPrefix_ = prefix; }
  // The element takes the keyboard focus with Tab and clicks on Enter or Space (the menu's
  // buttons; the game window's keys stay its own).
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool on) { tabStop_ = on; }

  // The player behind a media element; null for other kinds.
  MediaBackend* media() const { return media_; }
  void setMedia(MediaBackend* backend) { media_ = backend; }

  // Events from the view.
  void click() { if (visible_ && enabled_ && onClick) onClick(); }
  void doubleClick() { if (visible_ && enabled_ && onDblClick) onDblClick(); }
  std::function<void()> onClick;
  std::function<void()> onDblClick;

  // Told after every change of state; the view repaints from it.
  std::function<void(const Element&)> onChanged;

private:
  template <class T>
  void set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    if (onChanged) onChanged(*this);
  }

  ElementKind kind_;
  QString name_;
  Rect geometry_;
  Look look_;
  bool visible_ = true;
  bool enabled_ = true;
  QString picture_;
  QString caption_;
  Pointer pointer_ = Pointer::Arrow;
  QString spokenPrefix_;
  bool tabStop_ = false;
  MediaBackend* media_ = nullptr;
};

}  // namespace kvz
