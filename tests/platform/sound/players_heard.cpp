// The players as a player hears them, recorded from a PulseAudio null sink (started by
// check_players_sound.py): the menu sound is heard at every one of ten plays in a row, a new
// effect cuts off the one that sounds instead of mixing with it, and the music repeats without a
// gap; every sound plays in the sound thread, as in the game. The effects and the
// music heard at every play of a whole game, and when: game/check_e2e_game.py. How soon a sound
// starts is measured in bench/players, not here: a sound counts as heard if it starts within two
// seconds. Exit status: 0 all heard, 1 a fault, 77 no sound server or recorder (the check is
// skipped).
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "platform/qt/media_players.h"
#include "platform/qt/sound_thread.h"
#include "shell/qt/qt_menu_sound.h"
#include "support/null_sink.h"

namespace {

constexpr int kRuns = 10;
constexpr int kHeardWithinMs = 2000;
int failures = 0;

// Plays the menu sound ten times, each from silence, and checks that each play is heard.
void menuSoundHeardEveryTime(kvz::sound::SinkRecorder& recorder, kvz::SoundThread& thread, const QString& file) {
  kvz::QtMenuSound menuSound(thread);
  for (int run = 0; run < kRuns; ++run) {
    const double at = recorder.nowMs();
    menuSound.play(file);
    if (!QTest::qWaitFor([&] { return recorder.onsetAfter(at).first >= 0; }, kHeardWithinMs)) {
      std::printf("FAIL: menu sound, play %d of %d not heard\n", run + 1, kRuns);
      ++failures;
    }
    QTest::qWait(600);  // silence before the next run
  }
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
  constexpr int kLowHz = 1000, kHighHz = 2500, kMusicHz = 400;
  const auto tone = [&](const char* name, int hz, double seconds, double silence) {
    const QString path = dir.filePath(QLatin1String(name));
    kvz::sound::writeTone(path, hz, seconds, silence);
    return path;
  };
  const QString low = tone("low.wav", kLowHz, 2.0, 0.2), high = tone("high.wav", kHighHz, 0.6, 0.2),
                menu = tone("menu.wav", 700, 0.5, 0.1);
  QTest::qWait(1000);  // let the recording settle

  // The menu sound, the effects and the music in the sound thread, as in the game.
  kvz::SoundThread sound;
  menuSoundHeardEveryTime(recorder, sound, menu);

  const auto effects = sound.player([&] { return std::make_unique<kvz::SoundPlayer>(QStringList{low, high}); });

  // A long low effect, then a high one over it: from the high one on, the low one is gone.
  effects->setFile(low);
  effects->play();
  QTest::qWait(800);
  const double switchAt = recorder.nowMs();
  effects->setFile(high);
  effects->play();
  QTest::qWait(900);
  effects->stop();
  QTest::qWait(300);
  const double highAt = recorder.onsetAfter(switchAt).first;
  const double lowBefore = recorder.toneLevel(switchAt - 300, switchAt - 100, kLowHz);
  const double lowAfter = recorder.toneLevel(highAt + 100, highAt + 400, kLowHz);
  const double highAfter = recorder.toneLevel(highAt + 100, highAt + 400, kHighHz);
  const bool bothHeard = highAt >= 0 && lowBefore >= 0.1 && highAfter >= 0.1;
  if (!bothHeard || lowAfter > 0.1 * highAfter) {
    std::printf("FAIL: %s\n", bothHeard ? "the previous effect sounds on under the new one" : "the two effects were not both heard");
    ++failures;
  }

  // The music runs on from its end into its start without a gap: a 1 s tone sounds at its full
  // level through each 100 ms of the 5 s after its start.
  const auto music = sound.player([] { return std::make_unique<kvz::SoundPlayer>(QStringList(), kvz::SoundPlayer::Repeat::Forever); });
  music->setFile(tone("music.wav", kMusicHz, 1.0, 0.0));
  const double musicAt = recorder.nowMs();
  music->play();
  QTest::qWait(kHeardWithinMs + 5000);
  music->stop();
  const double musicOnset = recorder.onsetAfter(musicAt).first;
  QString levels;
  int quiet = musicOnset < 0;
  for (int block = 0; block < 50 && musicOnset >= 0; ++block) {
    const double level = recorder.toneLevel(musicOnset + 100 * block, musicOnset + 100 * (block + 1), kMusicHz);
    quiet += level < 0.4;
    levels += QStringLiteral(" %1").arg(level, 0, 'f', 2);
  }
  if (quiet) {
    std::printf("FAIL: the music did not run on without a gap; its level each 100 ms from its start:%s\n", qPrintable(levels));
    ++failures;
  }
  return failures ? 1 : 0;
}
