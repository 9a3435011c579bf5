#pragma once

#include <QSet>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/form.h"

namespace kvz {

// Windows virtual-key code of a Qt key, or 0 for a key the game has no code for. Letter
// keys give the code of the key whatever Shift or Caps Lock.
int virtualKeyOf(int qtKey);
// The shift state of a key event as a window system passes it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftStateOf(Qt::KeyboardModifiers modifiers);

// The window of one loaded form: a black client area of the form's size with one child
// view per element, the first element of the form on top. The form must outlive the view.
class FormView final : public QWidget {
public:
  explicit FormView(Form& form, QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  ~FormView() override;

  Form& form() const { return form_; }
  // The view of the named element; null for a name not on the form.
  QWidget* elementWidget(const QString& name) const;
  // Stops telling this view of element changes (the form is about to go).
  void detach();
  // Closing by the window manager goes through the form's handler; quitting skips it.
  void setClosingFreely(bool on) { closingFreely_ = on; }

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void addElement(Element& element);
  void watchKeys(QWidget& widget);
  // Both return true when the event was the window's key and is done with.
  bool keyPressed(const QKeyEvent& event);
  bool keyReleased(const QKeyEvent& event);

  Form& form_;
  std::vector<std::pair<Element*, QWidget*>> views_;
  QSet<int> keysDown_;
  bool closingFreely_ = false;
  bool attached_ = true;
};

}  // namespace kvz
