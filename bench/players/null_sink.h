#pragma once

// Hearing what the players play, in-process, to time their start: test tones written as WAV
// files, and a recorder of the PulseAudio null sink "nul" the benchmark is run with.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <utility>
#include <vector>

namespace kvz::sound {

inline constexpr int kRate = 48000;

// A 16-bit mono WAV of a sine tone at half scale, then silence.
void writeTone(const QString& path, int hz, double seconds, double silenceSeconds);

// Reads the monitor of the null sink as it plays. Times are ms on the recorder's own clock
// (nowMs()); the time of each sample is estimated from the arrival of the recorded blocks,
// the earliest arrival bounding it.
class SinkRecorder {
public:
  SinkRecorder();
  ~SinkRecorder();
  bool running();
  double nowMs() const { return clock_.nsecsElapsed() / 1e6; }

  // Time of the first sample louder than the threshold after fromMs, and the frequency of
  // the tone there; {-1, 0} when none.
  std::pair<double, double> onsetAfter(double fromMs) const;
  // Amplitude (0 to 1) of the tone of the given frequency between two times.
  double toneLevel(double fromMs, double toMs, int hz) const;

private:
  void read();
  std::size_t indexAt(double ms) const;

  QElapsedTimer clock_;
  QProcess parec_;
  QByteArray pending_;
  std::vector<qint16> samples_;
  double startMs_ = 1e300;
};

}  // namespace kvz::sound
