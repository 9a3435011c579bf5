#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>

#include "platform/form.h"
#include "platform/qt/form_view.h"

// What a screen reader finds in a window: the elements shown that have something to read, in
// reading order, named as the player sees them; the menu's buttons reached with Tab and Enter.
namespace kvz {
namespace {

// Each accessible child of the window's scene as "role:name".
QStringList readable(FormView& view) {
  QStringList out;
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&view);
  for (int i = 0; window && i < window->childCount(); ++i) {
    QAccessibleInterface* scene = window->child(i);
    if (!scene || scene->role() != QAccessible::Pane) continue;
    for (int j = 0; j < scene->childCount(); ++j) {
      QAccessibleInterface* child = scene->child(j);
      EXPECT_EQ(scene->indexOfChild(child), j);
      const char* role = child->role() == QAccessible::Button ? "button" : "text";
      out << QStringLiteral("%1:%2").arg(QLatin1String(role), child->text(QAccessible::Name));
    }
  }
  return out;
}

// The answers named with their letters, fifty-fifty's icon named as spent and its answers
// leaving the tree, and answers joining it as they are shown, are checked over AT-SPI by
// game/check_accessibility.py; so are the menu's first button holding the focus and Enter on it.
TEST(Accessibility, ListsTheShownElementsWithSomethingToReadInReadingOrder) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  form.add(ElementKind::Text, QStringLiteral("lblZadani"), {1080, 4800, 7455, 735}).setCaption(QStringLiteral("Kolik?"));
  form.add(ElementKind::Picture, QStringLiteral("imgVyhra"), {0, 5280, 9600, 1425}).setPicture(QStringLiteral("C03"));
  Element& icon = form.add(ElementKind::Picture, QStringLiteral("imgN5050"), {1920, 3600, 1080, 705});
  icon.setPicture(QStringLiteral("N-5050"));
  icon.onClick = [] {};
  // Nothing to read: an empty text, a box, a plate without text.
  form.add(ElementKind::Text, QStringLiteral("lblC"), {1200, 6720, 3135, 375});
  form.add(ElementKind::Box, QStringLiteral("Shape1"), {0, 4560, 9600, 2655});
  form.add(ElementKind::Picture, QStringLiteral("imgA"), {0, 5880, 4800, 555}).setPicture(QStringLiteral("A-M"));
  FormView view(form);
  view.show();

  EXPECT_EQ(readable(view), (QStringList{"button:50:50, k dispozici", "text:Kolik?", "text:3 000 Kč"}));
}

// Tab stops follow the layout's order, and Enter or Space clicks on the press only: a release
// alone (of the key that closed a box above) clicks nothing, nor does a key held down.
TEST(Accessibility, MenuButtonsTakeTheFocusInLayoutOrderAndClickOnEnterOrSpace) {
  Form form(QStringLiteral("frmTest"), QStringLiteral("Kvizarion"));
  std::vector<QString> clicks;
  const std::pair<const char*, int> buttons[] = {{"imgNova", 1680}, {"imgPrav", 2880}, {"imgKonec", 5160}};
  for (const auto& [name, top] : buttons) {
    Element& e = form.add(ElementKind::Picture, QLatin1String(name), {960, top, 2430, 525});
    e.setPicture(QStringLiteral("NOVA"));
    e.setTabStop(true);
    e.onClick = [&clicks, n = QLatin1String(name)] { clicks.emplace_back(n); };
  }
  FormView view(form);
  view.show();
  QWidget* first = view.elementWidget(QStringLiteral("imgNova"));
  EXPECT_EQ(first->nextInFocusChain(), view.elementWidget(QStringLiteral("imgPrav")));
  EXPECT_EQ(view.elementWidget(QStringLiteral("imgPrav"))->nextInFocusChain(), view.elementWidget(QStringLiteral("imgKonec")));

  const auto send = [](QWidget* w, QEvent::Type type, int key, bool repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(w, &event);
  };
  send(first, QEvent::KeyRelease, Qt::Key_Return);
  send(first, QEvent::KeyPress, Qt::Key_Return, true);
  send(first, QEvent::KeyPress, Qt::Key_A);
  EXPECT_TRUE(clicks.empty());
  send(first, QEvent::KeyPress, Qt::Key_Return);
  send(view.elementWidget(QStringLiteral("imgKonec")), QEvent::KeyPress, Qt::Key_Space);
  EXPECT_EQ(clicks, (std::vector<QString>{"imgNova", "imgKonec"}));
}

}  // namespace
}  // namespace kvz
