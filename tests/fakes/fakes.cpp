#include "fakes/fakes.h"

#include <QFileInfo>
#include <algorithm>

namespace kvz::fakes {

std::vector<QString> RecordingMedia::played() const {
  std::vector<QString> names;
  for (const Entry& e : log)
    if (e.op == Op::Play) names.push_back(QFileInfo(e.file).fileName());
  return names;
}

std::vector<std::int64_t> RecordingMedia::times(Op op) const {
  std::vector<std::int64_t> result;
  for (const Entry& e : log)
    if (e.op == op) result.push_back(e.timeMs);
  return result;
}

bool RecordingMedia::sounding() const {
  const auto last = std::find_if(log.rbegin(), log.rend(), [](const Entry& e) { return e.op != Op::SetFile; });
  return last != log.rend() && last->op == Op::Play;
}

MsgResult ScriptedMessageBoxes::show(const QString& text, const QString& title, MsgIcon, MsgButtons buttons) {
  const auto next = [](auto& queue, auto none) {
    if (queue.empty()) return none;
    const auto front = queue.front();
    queue.pop_front();
    return front;
  };
  const MsgResult unanswered = buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
  shown.push_back({text, title, buttons});
  const std::size_t index = shown.size() - 1;
  const MsgResult answer = next(answers, unanswered);
  const std::int64_t delay = next(delays, std::int64_t{0});
  if (!clock_) return answer;
  ++open_;
  const std::int64_t until = clock_->nowMs() + delay;
  for (std::int64_t due = clock_->nextDue(); dismissals_ == 0 && due >= 0 && due <= until; due = clock_->nextDue())
    clock_->step();
  --open_;
  if (dismissals_ == 0) {
    clock_->advanceTo(until);
    return answer;
  }
  --dismissals_;
  shown[index].dismissed = true;
  return unanswered;
}

void FakeWindowSystem::show(Form& form, Form* modalOwner) {
  showLog.push_back({form.name(), modalOwner ? modalOwner->name() : QString()});
  if (!isShown(form)) open_.push_back({&form, modalOwner});
}

bool FakeWindowSystem::isShown(const Form& form) const {
  return std::ranges::any_of(open_, [&](const auto& o) { return o.first == &form; });
}

void FakeWindowSystem::unload(std::unique_ptr<Form> form) {
  if (!form) return;
  for (const auto& [name, timer] : form->timers()) timer->setEnabled(false);
  unloadLog.push_back(form->name());
  if (boxes && boxes->open() > 0) ++unloadsUnderOpenBox;
  std::erase_if(open_, [&](const auto& o) { return o.first == form.get() || o.second == form.get(); });
  graveyard_.push_back(std::move(form));
}

bool FakeWindowSystem::isShown(const QString& formName) const {
  return std::ranges::any_of(open_, [&](const auto& o) { return o.first->name() == formName; });
}

}  // namespace kvz::fakes
