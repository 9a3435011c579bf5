// Measures the delay from play() to the first sample that reaches the sound server, for the
// effect player and the music player, 10 runs each.
//
// Run with a PulseAudio null sink:
//   export XDG_RUNTIME_DIR=/tmp/pulse-bench HOME=/tmp/pulse-bench; mkdir -p $XDG_RUNTIME_DIR
//   pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul"
//     --load=module-native-protocol-unix      (one command line)
//   QT_QPA_PLATFORM=offscreen ./bench_players
// With KVZ_BENCH_DATA=build the game's own effects are loaded as well.
//
// The monitor of the sink is read with parec as it plays. The wall time at which each sample
// was taken is estimated from the arrival of the recorded blocks (the earliest arrival bounds
// it), so the delay is: time of the first sample of the tone - time of play().
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "assets/media_files.h"
#include "platform/qt/media_players.h"
#include "null_sink.h"

namespace {

using QTest::qWait;

constexpr int kRuns = 10;
constexpr int kEffectHz = 1000;
constexpr int kMusicHz = 440;

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
std::vector<double> measure(kvz::MediaBackend& player, const QString& file, const kvz::sound::SinkRecorder& recorder,
                            int playMs, double* hz) {
  std::vector<double> delays;
  for (int run = 0; run < kRuns; ++run) {
    player.setFile(file);
    qWait(300);
    const double at = recorder.nowMs();
    player.play();
    qWait(playMs);
    player.stop();
    qWait(500);  // silence before the next run
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
  kvz::sound::writeTone(effect, kEffectHz, 0.4, 0.2);
  kvz::sound::writeTone(music, kMusicHz, 2.0, 0.0);

  kvz::sound::SinkRecorder recorder;
  if (!recorder.running()) {
    std::fprintf(stderr, "parec did not start\n");
    return 1;
  }
  qWait(1000);  // let the recording settle

  // KVZ_BENCH_DATA=<folder with snd/>: the effect player holds the game's effects decoded beside
  // the measured tone, as it does in the game.
  QStringList preload{effect};
  if (const QString data = qEnvironmentVariable("KVZ_BENCH_DATA"); !data.isEmpty())
    for (const char* name : kvz::media::kEffects) preload << data + QString::fromLatin1(name).replace(u'\\', u'/');
  kvz::SoundPlayer effects(preload);
  kvz::SoundPlayer musicPlayer({music}, kvz::SoundPlayer::Repeat::Forever);
  qWait(500);
  double effectHz = 0, musicHz = 0;
  const int effectPlayMs = qEnvironmentVariableIntValue("KVZ_BENCH_EFFECT_MS") > 0 ? qEnvironmentVariableIntValue("KVZ_BENCH_EFFECT_MS") : 300;
  const auto effectDelays = measure(effects, effect, recorder, effectPlayMs, &effectHz);
  const auto musicDelays = measure(musicPlayer, music, recorder, 1000, &musicHz);
  report("effect", effectDelays, effectHz);
  report("music", musicDelays, musicHz);
  // A run that stayed silent is a fault of the player: the exit status tells a script.
  return effectDelays.size() == kRuns && musicDelays.size() == kRuns ? 0 : 2;
}
