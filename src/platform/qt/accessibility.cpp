#include "platform/qt/accessibility.h"

#include <QAccessibleWidget>
#include <algorithm>

#include "assets/picture_texts.h"
#include "platform/qt/element_views.h"

namespace kvz {
namespace {

// A picture or a text of a window, named by what it shows.
class ElementAccessible final : public QAccessibleWidget {
public:
  explicit ElementAccessible(PaintedElementView* view) : QAccessibleWidget(view, roleOf(view->element())) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return spokenName(view()->element());
    return QAccessibleWidget::text(t);
  }

private:
  // What the player can click is a button; everything else is read as text.
  static QAccessible::Role roleOf(const Element& e) {
    return e.kind() == ElementKind::Picture && (e.onClick || e.tabStop()) ? QAccessible::Button
                                                                          : QAccessible::StaticText;
  }
  PaintedElementView* view() const { return static_cast<PaintedElementView*>(widget()); }
};

// Something to read: a text panel, a button, or an element that shows a text.
bool readable(QWidget* w) {
  if (!w->isVisible()) return false;
  if (auto* painted = dynamic_cast<PaintedElementView*>(w)) return !spokenName(painted->element()).isEmpty();
  return dynamic_cast<MediaView*>(w) == nullptr;
}

// The scene lists only the elements shown that have something to read, in the order the
// player meets them (the window's element order is the drawing order, top first).
class SceneAccessible final : public QAccessibleWidget {
public:
  explicit SceneAccessible(SceneWidget* scene) : QAccessibleWidget(scene, QAccessible::Pane) {}

  int childCount() const override { return static_cast<int>(shown().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> list = shown();
    return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index)) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? static_cast<int>(shown().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
  }

private:
  QList<QWidget*> shown() const {
    QList<QWidget*> list;
    for (QObject* o : widget()->children())
      if (auto* w = qobject_cast<QWidget*>(o); w && readable(w)) list << w;
    // Read as the eye reads the screen: from the top, each row from the left.
    std::stable_sort(list.begin(), list.end(), [](const QWidget* a, const QWidget* b) {
      return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    return list;
  }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
  if (auto* view = dynamic_cast<PaintedElementView*>(object)) return new ElementAccessible(view);
  if (auto* scene = dynamic_cast<SceneWidget*>(object)) return new SceneAccessible(scene);
  if (auto* note = dynamic_cast<AnnouncementView*>(object)) return new QAccessibleWidget(note, QAccessible::Notification);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(factory);
    return true;
  }();
  (void)installed;
}

AnnouncementView::AnnouncementView(QWidget* parent) : QWidget(parent) {
  // Nothing to see: one pixel that paints nothing, under the scene; shown only for assistive
  // technology (a widget of no size is never told as showing).
  setGeometry(0, 0, 1, 1);
  lower();
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

Announcer::Announcer(QWidget* window) {
  for (AnnouncementView*& view : views_) view = new AnnouncementView(window);
}

void Announcer::announce(const QString& text) {
  if (text.isEmpty() || !QAccessible::isActive()) return;
  views_[(next_ + kInTurn - 1) % kInTurn]->hide();
  AnnouncementView* view = views_[next_];
  next_ = (next_ + 1) % kInTurn;
  // Shown again with its new name: the screen reader speaks a notification as it appears.
  view->hide();
  view->setAccessibleName(text);
  view->show();
}

}  // namespace kvz
