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

MsgResult ScriptedMessageBoxes::show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) {
  const std::size_t index = shown.size();
  shown.push_back({text, title, icon, buttons});
  MsgResult answer = buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  std::int64_t delay = 0;
  if (!delays.empty()) {
    delay = delays.front();
    delays.pop_front();
  }
  if (clock_) {
    ++open_;
    const std::int64_t until = clock_->nowMs() + delay;
    while (dismissals_ == 0) {
      const std::int64_t due = clock_->nextDue();
      if (due < 0 || due > until) break;
      clock_->step();
    }
    if (dismissals_ > 0) {
      --dismissals_;
      shown[index].dismissed = true;
      answer = buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
    } else if (clock_->nowMs() < until) {
      clock_->advanceTo(until);
    }
    --open_;
  }
  return answer;
}

void FakeWindowSystem::show(Form& form, Form* modalOwner) {
  showLog.push_back({form.name(), modalOwner ? modalOwner->name() : QString()});
  if (std::find(open_.begin(), open_.end(), &form) == open_.end()) open_.push_back(&form);
}

void FakeWindowSystem::moveWindow(Form& form, int x, int y) { moves.emplace_back(form.name(), x, y); }

void FakeWindowSystem::unload(std::unique_ptr<Form> form) {
  if (!form) return;
  for (const auto& [name, timer] : form->timers()) timer->setEnabled(false);
  unloadLog.push_back(form->name());
  if (boxes && boxes->open() > 0) ++unloadsUnderOpenBox;
  std::erase(open_, form.get());
  graveyard_.push_back(std::move(form));
}

bool FakeWindowSystem::isShown(const QString& formName) const {
  return std::any_of(open_.begin(), open_.end(), [&](const Form* f) { return f->name() == formName; });
}

QString FakeWindowSystem::modalOwnerOf(const QString& formName) const {
  for (auto it = showLog.rbegin(); it != showLog.rend(); ++it)
    if (it->name == formName) return it->owner;
  return {};
}

}  // namespace kvz::fakes
