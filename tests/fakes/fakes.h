#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/clock.h"
#include "platform/form.h"
#include "platform/media.h"
#include "platform/messagebox.h"
#include "platform/text_measure.h"
#include "platform/windows.h"

namespace kvz::fakes {

// A player that plays nothing and records every operation with the virtual time it came at.
class RecordingMedia final : public MediaBackend {
public:
  enum class Op { SetFile, Play, Stop };
  struct Entry {
    Op op;
    QString file;  // the file loaded at the time of the operation
    std::int64_t timeMs;
  };
  explicit RecordingMedia(const Clock& clock) : clock_(clock) {}

  void setFile(const QString& path) override { file_ = path; log.push_back({Op::SetFile, path, clock_.nowMs()}); }
  void play() override { log.push_back({Op::Play, file_, clock_.nowMs()}); }
  void stop() override { log.push_back({Op::Stop, file_, clock_.nowMs()}); }
  bool sounding() const;  // a play not followed by a stop
  std::vector<QString> played() const;  // the file names (without folder) of every play, in order
  std::vector<std::int64_t> times(Op op) const;

  std::vector<Entry> log;

private:
  const Clock& clock_;
  QString file_;
};

// Message boxes answered from a script. Given a virtual clock, time passes while a box is
// open, as in a real modal loop: the timers tick inside show(), with the handler that opened
// the box still on the stack, until the box's delay is over or the box is dismissed.
class ScriptedMessageBoxes final : public MessageBoxes {
public:
  struct Shown {
    QString text, title;
    MsgButtons buttons;
    bool dismissed = false;
  };
  ScriptedMessageBoxes() = default;
  explicit ScriptedMessageBoxes(VirtualClock& clock) : clock_(&clock) {}
  MsgResult show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override;
  void dismiss() override { dismissals_ = open_; }
  int open() const { return open_; }

  std::deque<MsgResult> answers;  // in order; none left: Ok, or No for Yes/No boxes
  std::deque<std::int64_t> delays;  // how long each box stays open; none left: answered at once
  std::vector<Shown> shown;

private:
  VirtualClock* clock_ = nullptr;
  int open_ = 0;
  int dismissals_ = 0;  // open boxes still to close because of a dismiss
};

// Every character is the same width, so tests can make texts of exact widths.
class FixedTextMeasure final : public TextMeasure {
public:
  explicit FixedTextMeasure(int twipsPerCharacter = 150) : perChar_(twipsPerCharacter) {}
  int widthTwips(const QString& text, const FontSpec&) const override { return perChar_ * static_cast<int>(text.size()); }

private:
  int perChar_;
};

// Records shown, moved and unloaded windows; unloaded forms are kept alive to the end of the
// test, as the real window system keeps them until their running handler has returned. A
// window shown modal over another goes when that one is unloaded, as a real one does.
class FakeWindowSystem final : public WindowSystem {
public:
  void show(Form& form, Form* modalOwner) override;
  bool isShown(const Form& form) const override;
  void moveWindow(Form& form, int x, int y) override { moves.emplace_back(form.name(), x, y); }
  void unload(std::unique_ptr<Form> form) override;
  void processEvents() override {
    ++eventRuns;
    if (onProcessEvents) onProcessEvents();
  }
  std::function<void()> onProcessEvents;  // what pending events do (a close of the window, say)
  // A window unloaded while one of these boxes is open would take the box with it.
  const ScriptedMessageBoxes* boxes = nullptr;
  int unloadsUnderOpenBox = 0;
  void quit() override { quitCalled = true; }

  bool isShown(const QString& formName) const;  // shown and not unloaded

  std::vector<std::pair<QString, QString>> showLog;  // (window, modal owner or empty)
  std::vector<QString> unloadLog;
  std::vector<std::tuple<QString, int, int>> moves;  // (window, x, y): the menu's corner is tested
  int eventRuns = 0;
  bool quitCalled = false;

private:
  std::vector<std::pair<const Form*, const Form*>> open_;  // (window, modal owner)
  std::vector<std::unique_ptr<Form>> graveyard_;
};

}  // namespace kvz::fakes
