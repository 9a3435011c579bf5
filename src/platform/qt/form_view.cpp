#include "platform/qt/form_view.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include "platform/media.h"
#include "platform/qt/element_views.h"
#include "platform/qt/picture_set.h"
#include "platform/qt/video_surface.h"
#include "platform/scene_scale.h"
#include "platform/timing_log.h"

namespace kvz {

int virtualKeyOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return vk::A + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vk::F1 + (qtKey - Qt::Key_F1);
  return qtKey == Qt::Key_Escape ? vk::Escape : 0;
}

int shiftStateOf(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

FormView::FormView(Form& form, QWidget* parent, Qt::WindowFlags flags, WindowFit fit)
    : QWidget(parent, flags),
      form_(form),
      fit_(fit),
      scene_(new SceneWidget(this)),
      announcements_(this) {
  installAccessibility();
  setWindowTitle(form.caption());
  if (fit == WindowFit::FormSize) setFixedSize(twipsToPixels(form.widthTwips()), twipsToPixels(form.heightTwips()));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setFocusPolicy(Qt::StrongFocus);

  // Children made later lie above those made earlier: build from the bottom of the drawing
  // order up. Text panels, players and buttons are windows of their own and lie above every
  // picture, text and box, so they come last.
  const auto& elements = form.elements();
  for (int pass = 0; pass < 2; ++pass)
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
      const ElementKind kind = (*it)->kind();
      const bool windowed = kind == ElementKind::TextPanel || kind == ElementKind::Media || kind == ElementKind::Button;
      if (windowed == (pass == 1)) addElement(**it);
    }

  // Tab goes through the tab stops in the layout's order; the first has the focus when the
  // window opens, so a screen reader names it at once.
  QWidget* previous = nullptr;
  for (const auto& element : elements) {
    if (!element->tabStop()) continue;
    QWidget* w = elementWidget(element->name());
    if (previous)
      setTabOrder(previous, w);
    else
      w->setFocus();
    previous = w;
  }
  form.onAnnounce = [this](const QString& text) { announcements_.announce(text); };
}

FormView::~FormView() { detach(); }

void FormView::addElement(Element& element) {
  QWidget* view = nullptr;
  std::function<void()> sync;
  switch (element.kind()) {
    case ElementKind::TextPanel: {
      auto* panel = new TextPanelView(element, fitted_, scene_);
      view = panel;
      sync = [panel] { panel->sync(); };
      break;
    }
    case ElementKind::Button: {
      auto* button = new ButtonView(element, fitted_, scene_);
      view = button;
      sync = [button] { button->sync(); };
      break;
    }
    case ElementKind::Media: {
      auto* media = new MediaView(element, fitted_, scene_);
      view = media;
      sync = [media] { media->sync(); };
      if (auto* user = dynamic_cast<VideoSurfaceUser*>(element.media())) user->attachSurface(media);
      break;
    }
    default: {
      auto* painted = new PaintedElementView(element, fitted_, scene_);
      view = painted;
      sync = [painted] { painted->sync(); };
      break;
    }
  }
  view->setObjectName(element.name());
  watchKeys(*view);
  element.onChanged = [sync](const Element&) { sync(); };
  views_.push_back({&element, view, std::move(sync)});
}

QRect FormView::sceneRect() const { return fitted_.logical({0, 0, kSceneWidth, kSceneHeight}).toAlignedRect(); }

void FormView::fitScene() {
  // The element views are placed in the window's own pixels.
  scene_->setGeometry(rect());
  const double ratio = devicePixelRatioF();
  const SceneFit fit = fit_ == WindowFit::FullScreen ? fullScreenFit(size(), ratio) : windowFit(ratio);
  if (fit == fitted_) return;
  fitted_ = fit;
  // Every picture of the window drawn at the new density in one go, on all cores, before the
  // views take theirs one by one.
  QStringList pictures;
  for (const ElementView& v : views_)
    if (!v.element->picture().isEmpty()) pictures << v.element->picture();
  preparePictures(pictures, fit.pictureScale());
  for (const ElementView& v : views_)
    if (attached_) v.sync();
  if (onScaleChanged) onScaleChanged(fit);
}

void FormView::resizeEvent(QResizeEvent* event) {
  fitScene();
  QWidget::resizeEvent(event);
}

void FormView::paintEvent(QPaintEvent* event) {
  // A detached view's form may be gone already.
  if (!painted_ && attached_) {
    painted_ = true;
    timingMark(QStringLiteral("painted %1 %2x%3").arg(form_.name()).arg(width()).arg(height()));
    if (afterFirstPaint_) QTimer::singleShot(0, this, std::exchange(afterFirstPaint_, {}));
  }
  QWidget::paintEvent(event);
}

void FormView::watchKeys(QWidget& widget) {
  widget.installEventFilter(this);
  for (QWidget* child : widget.findChildren<QWidget*>()) child->installEventFilter(this);
}

QWidget* FormView::elementWidget(const QString& name) const {
  for (const ElementView& v : views_)
    if (v.element->name() == name) return v.widget;
  return nullptr;
}

void FormView::detach() {
  if (!attached_) return;
  attached_ = false;
  form_.onAnnounce = nullptr;
  for (const ElementView& v : views_) {
    v.element->onChanged = nullptr;
    // A video shown here goes back to its player before this window goes.
    if (auto* user = dynamic_cast<VideoSurfaceUser*>(v.element->media())) user->detachSurface(v.widget);
  }
}

// A release counts only when this window saw the key go down: the release of a key that
// closed a message box (Esc, Enter) must not reach the window below as a fresh key.
bool FormView::keyPressed(const QKeyEvent& event) {
  if (!event.isAutoRepeat()) keysDown_.insert(event.key());
  return false;
}

bool FormView::keyReleased(const QKeyEvent& event) {
  if (event.isAutoRepeat() || !keysDown_.remove(event.key())) return false;
  const int code = virtualKeyOf(event.key());
  if (attached_ && code != 0) form_.keyUp(code, shiftStateOf(event.modifiers()));
  return true;
}

void FormView::keyPressEvent(QKeyEvent* event) {
  keyPressed(*event);
  QWidget::keyPressEvent(event);
}

void FormView::keyReleaseEvent(QKeyEvent* event) {
  if (!keyReleased(*event)) QWidget::keyReleaseEvent(event);
}

// Keys reach the window whichever child holds the focus; the child still gets them too
// (a button clicks on Space). A key seen here and again on its way up counts once.
bool FormView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress)
    keyPressed(static_cast<const QKeyEvent&>(*event));
  else if (event->type() == QEvent::KeyRelease)
    keyReleased(static_cast<const QKeyEvent&>(*event));
  return QWidget::eventFilter(watched, event);
}

void FormView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) keysDown_.clear();
  // What was announced before the window opened is told once it is the active window, after
  // the screen reader has named the window.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && attached_)
    announcements_.announce(form_.takeUnheard());
  QWidget::changeEvent(event);
}

void FormView::closeEvent(QCloseEvent* event) {
  if (closingFreely_ || !attached_ || !form_.onCloseRequest) {
    event->accept();
    return;
  }
  event->ignore();
  form_.onCloseRequest();
}

}  // namespace kvz
