// Measures the delay from play() to the first sample that reaches the sound server, for the
// effect player and the music player, 10 runs each.
//
// Run with a PulseAudio null sink:
//   export XDG_RUNTIME_DIR=/tmp/pulse-bench HOME=/tmp/pulse-bench; mkdir -p $XDG_RUNTIME_DIR
//   pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul"
//     --load=module-native-protocol-unix      (one command line)
//   QT_QPA_PLATFORM=offscreen ./bench_players
//
// The monitor of the sink is read with parec as it plays. The wall time at which each sample
// was taken is estimated from the arrival of the recorded blocks (the earliest arrival bounds
// it), so the delay is: time of the first sample of the tone - time of play().
#include <QApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "platform/qt/media_players.h"

namespace {

constexpr int kRate = 48000;
constexpr int kRuns = 10;
constexpr double kThreshold = 0.02;  // of full scale: above the null sink's silence
constexpr int kEffectHz = 1000;
constexpr int kMusicHz = 440;

// A 16-bit mono WAV of a sine tone, then silence (effects are padded like the game's).
void writeTone(const QString& path, int hz, double seconds, double silenceSeconds) {
  const int tone = static_cast<int>(seconds * kRate), total = tone + static_cast<int>(silenceSeconds * kRate);
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  QDataStream out(&file);
  out.setByteOrder(QDataStream::LittleEndian);
  const auto tag = [&](const char* t) { out.writeRawData(t, 4); };
  tag("RIFF");
  out << quint32(36 + total * 2);
  tag("WAVE");
  tag("fmt ");
  out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2) << quint16(2) << quint16(16);
  tag("data");
  out << quint32(total * 2);
  for (int i = 0; i < total; ++i)
    out << qint16(i < tone ? std::lround(0.5 * 32767 * std::sin(2 * std::numbers::pi * hz * i / kRate)) : 0);
}

// Reads the sink's monitor as it plays and keeps the wall time of its first sample.
class Recorder {
public:
  explicit Recorder(const QElapsedTimer& clock) : clock_(clock) {
    QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { read(); });
    parec_.start(QStringLiteral("parec"), {QStringLiteral("-d"), QStringLiteral("nul.monitor"),
                                           QStringLiteral("--format=s16le"), QStringLiteral("--rate=48000"),
                                           QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=2")});
  }
  ~Recorder() {
    parec_.kill();
    parec_.waitForFinished();
  }
  bool running() { return parec_.waitForStarted() && parec_.state() == QProcess::Running; }

  // Wall time in ms of the first sample louder than the threshold after wall time fromMs,
  // and the frequency of the tone there; -1 when none.
  std::pair<double, double> onsetAfter(double fromMs) const {
    const auto first = static_cast<std::size_t>(std::max(0.0, (fromMs - startMs_) * kRate / 1000));
    for (std::size_t i = first; i < samples_.size(); ++i)
      if (std::abs(samples_[i]) > kThreshold * 32768) return {startMs_ + i * 1000.0 / kRate, frequencyAt(i)};
    return {-1, 0};
  }

private:
  void read() {
    const double now = clock_.nsecsElapsed() / 1e6;
    const QByteArray data = parec_.readAllStandardOutput();
    pending_.append(data);
    const qsizetype whole = pending_.size() / 2 * 2;
    for (qsizetype i = 0; i < whole; i += 2)
      samples_.push_back(static_cast<qint16>(quint8(pending_[i]) | (quint8(pending_[i + 1]) << 8)));
    pending_.remove(0, whole);
    // The last sample arrived no earlier than it was taken: the earliest bound wins.
    startMs_ = std::min(startMs_, now - samples_.size() * 1000.0 / kRate);
  }

  double frequencyAt(std::size_t i) const {
    const std::size_t end = std::min(samples_.size(), i + kRate / 10);
    int crossings = 0;
    for (std::size_t k = i + 1; k < end; ++k)
      if ((samples_[k - 1] < 0) != (samples_[k] < 0)) ++crossings;
    return crossings / 2.0 / ((end - i) / double(kRate));
  }

  const QElapsedTimer& clock_;
  QProcess parec_;
  QByteArray pending_;
  std::vector<qint16> samples_;
  double startMs_ = 1e300;
};

void wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void report(const char* name, std::vector<double> delays, double hz) {
  if (delays.empty()) {
    std::printf("%-8s no sound recorded\n", name);
    return;
  }
  std::sort(delays.begin(), delays.end());
  const double median = delays.size() % 2 ? delays[delays.size() / 2]
                                          : (delays[delays.size() / 2 - 1] + delays[delays.size() / 2]) / 2;
  std::printf("%-8s runs %zu  min %.1f ms  median %.1f ms  max %.1f ms  (tone heard at %.0f Hz)\n", name,
              delays.size(), delays.front(), median, delays.back(), hz);
}

// Plays the player 10 times, each from silence, and returns the delays in ms.
std::vector<double> measure(kvz::MediaBackend& player, const QString& file, const QElapsedTimer& clock,
                            const Recorder& recorder, int playMs, double* hz) {
  std::vector<double> delays;
  for (int run = 0; run < kRuns; ++run) {
    player.setFile(file);
    wait(300);
    const double at = clock.nsecsElapsed() / 1e6;
    player.play();
    wait(playMs);
    player.stop();
    wait(500);  // silence before the next run
    const auto [onset, freq] = recorder.onsetAfter(at);
    if (qEnvironmentVariableIsSet("KVZ_BENCH_VERBOSE"))
      std::printf("  run %d: onset %.1f ms after play, %.0f Hz\n", run, onset >= 0 ? onset - at : -1.0, freq);
    if (onset >= 0) {
      delays.push_back(onset - at);
      *hz = freq;
    }
  }
  return delays;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kvz::selectMediaBackend();
  if (!kvz::audioOutputAvailable()) {
    std::fprintf(stderr, "no audio output: start the PulseAudio null sink first (see the top of this file)\n");
    return 1;
  }
  QTemporaryDir dir;
  const QString effect = dir.filePath(QStringLiteral("effect.wav")), music = dir.filePath(QStringLiteral("music.wav"));
  writeTone(effect, kEffectHz, 0.4, 0.2);
  writeTone(music, kMusicHz, 2.0, 0.0);

  QElapsedTimer clock;
  clock.start();
  Recorder recorder(clock);
  if (!recorder.running()) {
    std::fprintf(stderr, "parec did not start\n");
    return 1;
  }
  wait(1000);  // let the recording settle

  kvz::EffectPlayer effects({effect});
  kvz::MusicPlayer musicPlayer;
  wait(500);
  double effectHz = 0, musicHz = 0;
  const int effectPlayMs = qEnvironmentVariableIntValue("KVZ_BENCH_EFFECT_MS") > 0 ? qEnvironmentVariableIntValue("KVZ_BENCH_EFFECT_MS") : 300;
  const auto effectDelays = measure(effects, effect, clock, recorder, effectPlayMs, &effectHz);
  const auto musicDelays = measure(musicPlayer, music, clock, recorder, 1000, &musicHz);
  report("effect", effectDelays, effectHz);
  report("music", musicDelays, musicHz);
  // A run that stayed silent is a fault of the player: the exit status tells a script.
  return effectDelays.size() == kRuns && musicDelays.size() == kRuns ? 0 : 2;
}
