#pragma once

#include <QSet>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/form.h"
#include "platform/qt/accessibility.h"
#include "platform/qt/element_views.h"

namespace kvz {

// Windows virtual-key code of a letter, function key or Esc; 0 for any other key, which no
// window reads. Letter keys give the code of the key whatever Shift or Caps Lock.
int virtualKeyOf(int qtKey);
// The shift state of a key event as a window system passes it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftStateOf(Qt::KeyboardModifiers modifiers);

// How a window shows its form: a window of the form's size (the desktop's own scale factor
// applies), or a full-screen window drawing the form at the largest whole factor that fits,
// centred on black.
enum class WindowFit { FormSize, FullScreen };

// The window of one loaded form: a black client area with the form's scene, one child view
// per element, the first element of the form on top. The form must outlive the view.
class FormView final : public QWidget {
public:
  explicit FormView(Form& form, QWidget* parent = nullptr, Qt::WindowFlags flags = {},
                    WindowFit fit = WindowFit::FormSize);
  ~FormView() override;

  Form& form() const { return form_; }
  // How the scene is placed and drawn in this window, and the area it covers (in the
  // window's logical pixels, whole ones that cover it).
  const SceneFit& sceneFit() const { return fitted_; }
  QRect sceneRect() const;
  // Runs once from the event loop after the first paint of this window.
  void afterFirstPaint(std::function<void()> then) { afterFirstPaint_ = std::move(then); }
  // Told each time the scene's density or place changes.
  std::function<void(const SceneFit& fit)> onScaleChanged;
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
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  // Places the scene for the window's size and density; a new fit redraws every element at it.
  void fitScene();
  void addElement(Element& element);
  void watchKeys(QWidget& widget);
  // Both return true when the event was the window's key and is done with.
  bool keyPressed(const QKeyEvent& event);
  bool keyReleased(const QKeyEvent& event);

  struct ElementView {
    Element* element;
    QWidget* widget;
    std::function<void()> sync;
  };

  Form& form_;
  const WindowFit fit_;
  SceneFit fitted_;
  QWidget* scene_;
  Announcer announcements_;
  std::vector<ElementView> views_;
  std::function<void()> afterFirstPaint_;
  bool painted_ = false;
  QSet<int> keysDown_;
  bool closingFreely_ = false;
  bool attached_ = true;
};

}  // namespace kvz
