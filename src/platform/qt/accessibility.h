#pragma once

#include <QString>
#include <QWidget>

namespace kvz {

// Assistive technology (a screen reader over AT-SPI) reads each window's elements through
// accessible objects made here: a text by its caption, a picture by the text it shows, the
// clickable pictures as buttons; hidden elements and those with nothing to read are left out.
// Installed once; nothing of it runs until a screen reader asks.
void installAccessibility();

// The window's announcements: an object of the notification role that a screen reader speaks
// each time it is shown with a new name. With no screen reader listening it does nothing.
class AnnouncementView final : public QWidget {
public:
  explicit AnnouncementView(QWidget* parent);
  void announce(const QString& text);
};

// The whole area the elements are drawn in; its accessible children are the elements shown.
class SceneWidget final : public QWidget {
public:
  using QWidget::QWidget;
};

}  // namespace kvz
