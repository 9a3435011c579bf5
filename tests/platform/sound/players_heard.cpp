// The players as a player hears them, recorded from a PulseAudio null sink (started by
// check_players_sound.py): the effect player, the music player and the menu sound are heard
// at every one of ten plays in a row, and a new effect cuts off the one that sounds instead
// of mixing with it. How soon a sound starts is measured in bench/players, not here: a sound
// counts as heard if it starts within two seconds of play().
// Exit status: 0 all heard, 1 a fault, 77 no sound server or recorder (the check is skipped).
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

#include "platform/qt/media_players.h"
#include "shell/qt/qt_menu_sound.h"
#include "support/null_sink.h"

namespace {

constexpr int kRuns = 10;
constexpr int kHeardWithinMs = 2000;
int failures = 0;

// Plays ten times, each from silence, and checks that each play is heard.
void heardEveryTime(const char* name, kvz::sound::SinkRecorder& recorder, const std::function<void()>& play,
                    const std::function<void()>& stop) {
  int heard = 0;
  for (int run = 0; run < kRuns; ++run) {
    const double at = recorder.nowMs();
    play();
    const bool started = QTest::qWaitFor([&] { return recorder.onsetAfter(at).first >= 0; }, kHeardWithinMs);
    const double onset = recorder.onsetAfter(at).first;
    QTest::qWait(200);
    stop();
    QTest::qWait(400);  // silence before the next run
    if (started && onset - at <= kHeardWithinMs)
      ++heard;
    else
      std::printf("FAIL: %s, play %d of %d\n", name, run + 1, kRuns);
  }
  std::printf("%-10s heard %d of %d plays\n", name, heard, kRuns);
  failures += kRuns - heard;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // every line reaches the log, even before a crash
  if (!kvz::audioOutputAvailable()) {
    std::printf("SKIPPED: no sound server to play to\n");
    return 77;
  }
  kvz::sound::SinkRecorder recorder;
  if (!recorder.running()) {
    std::printf("SKIPPED: parec does not record the null sink\n");
    return 77;
  }
  QTemporaryDir dir;
  constexpr int kLowHz = 1000, kHighHz = 2500;
  const auto tone = [&](const char* name, int hz, double seconds, double silence) {
    const QString path = dir.filePath(QLatin1String(name));
    kvz::sound::writeTone(path, hz, seconds, silence);
    return path;
  };
  const QString low = tone("low.wav", kLowHz, 2.0, 0.2), high = tone("high.wav", kHighHz, 0.6, 0.2),
                music = tone("music.wav", 440, 2.0, 0.0), menu = tone("menu.wav", 700, 0.5, 0.1);
  QTest::qWait(1000);  // let the recording settle

  kvz::EffectPlayer effects({low, high});
  kvz::MusicPlayer musicPlayer;
  kvz::QtMenuSound menuSound;
  heardEveryTime("effect", recorder, [&] { effects.setFile(high); effects.play(); }, [&] { effects.stop(); });
  heardEveryTime("music", recorder, [&] { musicPlayer.setFile(music); musicPlayer.play(); }, [&] { musicPlayer.stop(); });
  heardEveryTime("menu", recorder, [&] { menuSound.play(menu); }, [] {});

  // A long low effect, then a high one over it: from the high one on, the low one is gone.
  effects.setFile(low);
  effects.play();
  QTest::qWait(800);
  const double switchAt = recorder.nowMs();
  effects.setFile(high);
  effects.play();
  QTest::qWait(900);
  effects.stop();
  QTest::qWait(300);
  const double highAt = recorder.onsetAfter(switchAt).first;
  const double lowBefore = recorder.toneLevel(switchAt - 300, switchAt - 100, kLowHz);
  const double lowAfter = recorder.toneLevel(highAt + 100, highAt + 400, kLowHz);
  const double highAfter = recorder.toneLevel(highAt + 100, highAt + 400, kHighHz);
  std::printf("no mixing: low tone %.3f before the switch, %.3f after it beside the high tone at %.3f\n", lowBefore,
              lowAfter, highAfter);
  const bool bothHeard = highAt >= 0 && lowBefore >= 0.1 && highAfter >= 0.1;
  if (!bothHeard || lowAfter > 0.1 * highAfter) {
    std::printf("FAIL: %s\n", bothHeard ? "the previous effect sounds on under the new one" : "the two effects were not both heard");
    ++failures;
  }
  return failures ? 1 : 0;
}
