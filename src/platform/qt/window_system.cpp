#include "platform/qt/window_system.h"

#include <QApplication>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>

namespace kvz {
namespace {

// Owns an unloaded form and its window until the event loop that unloaded it gets control
// back: the handler that unloads a form may be one of that form's own.
class Departure final : public QObject {
public:
  Departure(std::unique_ptr<Form> form, FormView* view) : form_(std::move(form)), view_(view) {}
  ~Departure() override {
    delete view_.data();
    form_.reset();
  }

private:
  std::unique_ptr<Form> form_;
  QPointer<FormView> view_;
};

// The application's style with the sizes message boxes are built from times the scene's
// factor in logical pixels, so a box over a scaled scene matches it at any desktop factor.
class ScaledStyle final : public QProxyStyle {
public:
  ScaledStyle(QStyle* base, double factor) : QProxyStyle(base), factor_(factor) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
      case PM_MessageBoxIconSize:
      case PM_ButtonMargin:
      case PM_LayoutLeftMargin:
      case PM_LayoutTopMargin:
      case PM_LayoutRightMargin:
      case PM_LayoutBottomMargin:
      case PM_LayoutHorizontalSpacing:
      case PM_LayoutVerticalSpacing: return static_cast<int>(std::lround(base * factor_));
      default: return base;
    }
  }

private:
  double factor_;
};

void scaleBoxes(const SceneFit& fit) {
  const double factor = fit.logicalPerScenePixel();
  static double applied = 1;
  static const QFont baseFont = QApplication::font();
  static const QString baseStyle = QApplication::style()->name();
  if (factor == applied) return;
  applied = factor;
  QFont font = baseFont;
  if (baseFont.pixelSize() > 0)
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(baseFont.pixelSize() * factor))));
  else
    font.setPointSizeF(baseFont.pointSizeF() * factor);
  QApplication::setFont(font);
  QApplication::setStyle(new ScaledStyle(QStyleFactory::create(baseStyle), factor));
}

void stopTimers(Form& form) {
  for (const auto& [name, timer] : form.timers()) timer->setEnabled(false);
}

}  // namespace

QtWindowSystem::~QtWindowSystem() {
  for (const auto& view : views_)
    if (view) view->detach();
}

FormView* QtWindowSystem::viewOf(const Form& form) const {
  for (const auto& view : views_)
    if (view && &view->form() == &form) return view;
  return nullptr;
}

void QtWindowSystem::show(Form& form, Form* modalOwner) {
  std::erase_if(views_, [](const QPointer<FormView>& v) { return v.isNull(); });
  FormView* view = viewOf(form);
  const bool fullScreen = fit_ == WindowFit::FullScreen;
  if (!view) {
    FormView* owner = modalOwner ? viewOf(*modalOwner) : nullptr;
    const Qt::WindowFlags frame = fullScreen ? Qt::FramelessWindowHint
                                             : Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    // A modal window is a dialog of its owner: it stays above it and out of the task bar.
    view = owner ? new FormView(form, owner, Qt::Dialog | frame, fit_)
                 : new FormView(form, nullptr, Qt::Window | frame, fit_);
    if (owner) view->setWindowModality(Qt::WindowModal);
    if (!screen_) screen_ = QGuiApplication::primaryScreen();
    if (QScreen* screen = owner ? owner->screen() : screen_.data()) {
      const QRect area = screen->geometry();
      if (fullScreen) {
        view->setGeometry(area);
        // A switch of the display resizes the monitor; without a window manager to follow
        // it, the window does.
        QObject::connect(screen, &QScreen::geometryChanged, view, [view](const QRect& g) { view->setGeometry(g); });
        view->onScaleChanged = scaleBoxes;
      } else {
        // Not QRect::center(): it rounds down, which puts a 640 x 480 window on a 640 x 480
        // screen at (-1, -1).
        view->move(area.x() + (area.width() - view->width()) / 2, area.y() + (area.height() - view->height()) / 2);
      }
    }
    views_.emplace_back(view);
  }
  if (fullScreen)
    view->showFullScreen();
  else
    view->show();
  view->raise();
  view->activateWindow();
}

void QtWindowSystem::moveWindow(Form& form, int x, int y) {
  // A full-screen window covers its monitor wherever it is asked to go.
  if (fit_ == WindowFit::FullScreen) return;
  if (FormView* view = viewOf(form)) view->move(x, y);
}

void QtWindowSystem::unload(std::unique_ptr<Form> form) {
  if (!form) return;
  stopTimers(*form);
  FormView* view = viewOf(*form);
  if (view) {
    view->detach();
    view->hide();
  }
  std::erase_if(views_, [view](const QPointer<FormView>& v) { return v.isNull() || v == view; });
  (new Departure(std::move(form), view))->deleteLater();
}

void QtWindowSystem::processEvents() { QCoreApplication::processEvents(); }

void QtWindowSystem::quit() {
  for (const auto& view : views_) {
    if (!view) continue;
    stopTimers(view->form());
    view->detach();
    view->setClosingFreely(true);
    view->hide();
  }
  QCoreApplication::exit(0);
}

}  // namespace kvz
