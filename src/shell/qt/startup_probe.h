#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

namespace kvz {

// Notices the first paint of a window and runs what must wait for it (making the media
// players). For a benchmark it also tells the moment on standard output: the line
// "painted <name> <ms since start of main> <ms since the last mark>", when the environment
// variable KVIZARION_PROBE is set.
class StartupProbe final : public QObject {
public:
  StartupProbe();
  bool enabled() const { return enabled_; }
  // The mode the benchmark asked for: "menu", "game" (open the game window directly) or
  // "newgame" (start a game from the menu as soon as it has been painted).
  const QString& mode() const { return mode_; }

  // At the first paint of this window: reports it under the name, then runs then (once,
  // from the event loop). A later watch replaces an earlier one not yet seen.
  void watch(QWidget* window, const QString& name, std::function<void()> then = {});
  // Marks a moment; later reports also give the time since the last mark.
  void mark() { sinceMark_.start(); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool enabled_ = false;
  QString mode_;
  QElapsedTimer sinceStart_;
  QElapsedTimer sinceMark_;
  QPointer<QWidget> window_;
  QString name_;
  std::function<void()> then_;
};

}  // namespace kvz
