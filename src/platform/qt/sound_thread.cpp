#include "platform/qt/sound_thread.h"

#include <QThread>

namespace kvz {

namespace {

// The caller's side of a player in the sound thread: each call is queued and run there in order.
class QueuedPlayer final : public MediaBackend {
public:
  QueuedPlayer(QObject* inThread, SoundThread::Factory factory)
      : inThread_(inThread), real_(std::make_shared<std::unique_ptr<MediaBackend>>()) {
    post([factory = std::move(factory)](std::unique_ptr<MediaBackend>& real) { real = factory(); });
  }
  ~QueuedPlayer() override {
    post([](std::unique_ptr<MediaBackend>& real) { real.reset(); });
  }

  void setFile(const QString& path) override {
    forward([path](MediaBackend& real) { real.setFile(path); });
  }
  void play() override {
    forward([](MediaBackend& real) { real.play(); });
  }
  void stop() override {
    forward([](MediaBackend& real) { real.stop(); });
  }

private:
  template <typename Call>
  void post(Call call) {
    // The queued call holds the player, so a call still queued when this side is gone finds it.
    QMetaObject::invokeMethod(inThread_, [real = real_, call = std::move(call)] { call(*real); }, Qt::QueuedConnection);
  }
  template <typename Call>
  void forward(Call call) {
    post([call = std::move(call)](std::unique_ptr<MediaBackend>& real) {
      if (real) call(*real);
    });
  }

  QObject* inThread_;
  std::shared_ptr<std::unique_ptr<MediaBackend>> real_;
};

}  // namespace

SoundThread::SoundThread(std::chrono::milliseconds endWait)
    : thread_(std::make_unique<QThread>()), inThread_(std::make_unique<QObject>()), endWait_(endWait) {
  thread_->setObjectName(QStringLiteral("kvizarion sound"));
  inThread_->moveToThread(thread_.get());
  thread_->start();
}

SoundThread::~SoundThread() {
  // The quit is queued behind every call and every player's end already queued.
  QObject* inThread = inThread_.release();
  QMetaObject::invokeMethod(
      inThread,
      [inThread] {
        delete inThread;
        QThread::currentThread()->quit();
      },
      Qt::QueuedConnection);
  if (!thread_->wait(QDeadlineTimer(endWait_))) {
    qWarning("kvizarion: the sound players did not end within %lld ms; left to end with the program",
             static_cast<long long>(endWait_.count()));
    // A running QThread must not be destroyed: it deletes itself once it ends.
    QThread* thread = thread_.release();
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (thread->isFinished()) thread->deleteLater();
  }
}

std::unique_ptr<MediaBackend> SoundThread::player(Factory factory) {
  return std::make_unique<QueuedPlayer>(inThread_.get(), std::move(factory));
}

}  // namespace kvz
