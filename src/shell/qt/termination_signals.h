#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace kvz {

// Brings SIGINT, SIGTERM and SIGHUP into the Qt event loop: the handler only writes the
// signal's number into a pipe, and the loop calls onSignal when it reads it, so nothing
// but that write happens inside the handler. A second signal of the same kind gets its
// default action: a program stuck on its way out can still be stopped.
class TerminationSignals final : public QObject {
public:
  explicit TerminationSignals(std::function<void(int signal)> onSignal);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // False when the pipe could not be made; the signals then keep their default action.
  bool installed() const { return notifier_ != nullptr; }

private:
  void readSignals();

  std::function<void(int)> onSignal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kvz
