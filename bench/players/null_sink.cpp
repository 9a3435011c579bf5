#include "null_sink.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "support/wav_bytes.h"

namespace kvz::sound {

namespace {
constexpr double kThreshold = 0.02;  // of full scale: above the null sink's silence
}

void writeTone(const QString& path, int hz, double seconds, double silenceSeconds) {
  const int tone = static_cast<int>(seconds * kRate), total = tone + static_cast<int>(silenceSeconds * kRate);
  std::string data;
  for (int i = 0; i < total; ++i)
    testing::putLittleEndian(
        data, static_cast<quint16>(i < tone ? std::lround(0.5 * 32767 * std::sin(2 * std::numbers::pi * hz * i / kRate)) : 0), 2);
  const std::string bytes = testing::wavBytes({.channels = 1, .rate = kRate, .data = data});
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

SinkRecorder::SinkRecorder() {
  clock_.start();
  QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { read(); });
  parec_.start(QStringLiteral("parec"), {QStringLiteral("-d"), QStringLiteral("nul.monitor"),
                                         QStringLiteral("--format=s16le"), QStringLiteral("--rate=48000"),
                                         QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=2")});
}

SinkRecorder::~SinkRecorder() {
  parec_.kill();
  parec_.waitForFinished();
}

bool SinkRecorder::running() { return parec_.waitForStarted() && parec_.state() == QProcess::Running; }

void SinkRecorder::read() {
  const double now = nowMs();
  pending_.append(parec_.readAllStandardOutput());
  const qsizetype whole = pending_.size() / 2 * 2;
  for (qsizetype i = 0; i < whole; i += 2)
    samples_.push_back(static_cast<qint16>(quint8(pending_[i]) | (quint8(pending_[i + 1]) << 8)));
  pending_.remove(0, whole);
  // The last sample arrived no earlier than it was taken: the earliest bound wins.
  startMs_ = std::min(startMs_, now - samples_.size() * 1000.0 / kRate);
}

std::size_t SinkRecorder::indexAt(double ms) const {
  return std::min(samples_.size(), static_cast<std::size_t>(std::max(0.0, (ms - startMs_) * kRate / 1000)));
}

std::pair<double, double> SinkRecorder::onsetAfter(double fromMs) const {
  for (std::size_t i = indexAt(fromMs); i < samples_.size(); ++i) {
    if (std::abs(samples_[i]) <= kThreshold * 32768) continue;
    const std::size_t end = std::min(samples_.size(), i + kRate / 10);
    int crossings = 0;
    for (std::size_t k = i + 1; k < end; ++k)
      if ((samples_[k - 1] < 0) != (samples_[k] < 0)) ++crossings;
    return {startMs_ + i * 1000.0 / kRate, crossings / 2.0 / ((end - i) / double(kRate))};
  }
  return {-1, 0};
}

// Goertzel: the amplitude of one frequency in a stretch of samples.
double SinkRecorder::toneLevel(double fromMs, double toMs, int hz) const {
  const std::size_t from = indexAt(fromMs), to = indexAt(toMs);
  if (to <= from) return 0;
  const double w = 2 * std::numbers::pi * hz / kRate, coeff = 2 * std::cos(w);
  double s1 = 0, s2 = 0;
  for (std::size_t i = from; i < to; ++i) {
    const double s0 = samples_[i] / 32768.0 + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  const double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
  return 2 * std::sqrt(std::max(0.0, power)) / static_cast<double>(to - from);
}

}  // namespace kvz::sound
