#pragma once

#include <QString>
#include <QWidget>
#include <array>

namespace kvz {

// Assistive technology (a screen reader over AT-SPI) reads each window's elements through
// accessible objects made here: a text by its caption, a picture by the text it shows, the
// clickable pictures as buttons; hidden elements and those with nothing to read are left out.
// Installed once; nothing of it runs until a screen reader asks.
void installAccessibility();

// One notification object: a screen reader speaks it each time it is shown with a new name.
class AnnouncementView final : public QWidget {
public:
  explicit AnnouncementView(QWidget* parent);
};

// The window's announcements, shown on notification objects in turn: a screen reader that
// handles a notification late, after the next has come, still reads the text it came with.
// With no screen reader listening it does nothing.
class Announcer {
public:
  // Made with the window, before it shows: a widget made inside a window already shown is
  // told to assistive technology while it is still a plain QWidget, and keeps that face.
  explicit Announcer(QWidget* window);
  void announce(const QString& text);

private:
  static constexpr std::size_t kInTurn = 4;
  std::array<AnnouncementView*, kInTurn> views_;  // owned by the window
  std::size_t next_ = 0;
};

// The whole area the elements are drawn in; its accessible children are the elements shown.
class SceneWidget final : public QWidget {
public:
  using QWidget::QWidget;
};

}  // namespace kvz
