#include "platform/form.h"

#include <stdexcept>

#include "platform/timing_log.h"

namespace kvz {

Form::Form(QString name, QString caption) : name_(std::move(name)), caption_(std::move(caption)) {}

Element& Form::add(ElementKind kind, const QString& name, Rect geometry) {
  elements_.push_back(std::make_unique<Element>(kind, name, geometry));
  return *elements_.back();
}

Element* Form::find(const QString& name) const {
  for (const auto& e : elements_)
    if (e->name() == name) return e.get();
  return nullptr;
}

Element& Form::operator[](const QString& name) const {
  if (Element* e = find(name)) return *e;
  throw std::out_of_range("no element " + name.toStdString() + " on " + name_.toStdString());
}

void Form::announce(const QString& text) {
  if (text.isEmpty()) return;
  if (timingOn()) timingMark(QStringLiteral("announce ") + text);
  if (onAnnounce)
    onAnnounce(text);
  else
    unheard_ = text;
}

Timer& Form::addTimer(Clock& clock, const QString& name, int intervalMs, bool enabled) {
  timers_.emplace_back(name, std::make_unique<Timer>(clock, intervalMs, enabled));
  timers_.back().second->name = name;
  return *timers_.back().second;
}

Timer& Form::timer(const QString& name) const {
  for (const auto& [n, t] : timers_)
    if (n == name) return *t;
  throw std::out_of_range("no timer " + name.toStdString() + " on " + name_.toStdString());
}

}  // namespace kvz
