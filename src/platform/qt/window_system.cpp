#include "platform/qt/window_system.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>

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
  if (!view) {
    FormView* owner = modalOwner ? viewOf(*modalOwner) : nullptr;
    constexpr Qt::WindowFlags kFrame = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    // A modal window is a dialog of its owner: it stays above it and out of the task bar.
    view = owner ? new FormView(form, owner, Qt::Dialog | kFrame) : new FormView(form, nullptr, Qt::Window | kFrame);
    if (owner) view->setWindowModality(Qt::WindowModal);
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
      const QRect area = screen->geometry();
      // Not QRect::center(): it rounds down, which puts a 640 x 480 window on a 640 x 480
      // screen at (-1, -1).
      view->move(area.x() + (area.width() - view->width()) / 2, area.y() + (area.height() - view->height()) / 2);
    }
    views_.emplace_back(view);
  }
  view->show();
  view->raise();
  view->activateWindow();
}

void QtWindowSystem::moveWindow(Form& form, int x, int y) {
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
