// The players as a player hears them: this program only plays, and check_players_sound.py
// records the sound server's null sink and hears what it played. Every sound plays in the sound
// thread, as in the game: the menu sound ten times, each from silence; a long low effect, then a
// high one over it on the same player; the music, a 1 s tone repeated for good. Before each it
// prints the steady clock's time in seconds (the check's time.monotonic()) and what it starts.
// Arguments: the tone files of the menu sound, the low and the high effect, the music.
// Exit status: 0 played, 2 bad arguments, 77 no sound server to play to (the check is skipped).
#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>

#include "platform/qt/media_players.h"
#include "platform/qt/sound_thread.h"
#include "shell/qt/qt_menu_sound.h"

namespace {

constexpr int kMenuPlays = 10;
// A menu play counts as heard within 2 s of it: the next one comes after that.
constexpr int kMenuPlayEveryMs = 2200;
constexpr int kLowAloneMs = 800, kHighMs = 900, kMusicMs = 7000;

void starts(const char* what) {
  const std::chrono::duration<double> now = std::chrono::steady_clock::now().time_since_epoch();
  std::printf("%.4f %s\n", now.count(), what);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 5) {
    std::fprintf(stderr, "usage: kvz_players_heard MENU.wav LOW.wav HIGH.wav MUSIC.wav\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // every line reaches the check, even before a crash
  if (!kvz::audioOutputAvailable()) {
    std::printf("SKIPPED: no sound server to play to\n");
    return 77;
  }
  const QString menu = QString::fromLocal8Bit(argv[1]), low = QString::fromLocal8Bit(argv[2]),
                high = QString::fromLocal8Bit(argv[3]), music = QString::fromLocal8Bit(argv[4]);
  kvz::SoundThread sound;

  kvz::QtMenuSound menuSound(sound);
  for (int play = 0; play < kMenuPlays; ++play) {
    starts("menu");
    menuSound.play(menu);
    QTest::qWait(kMenuPlayEveryMs);
  }

  const auto effects = sound.player([low, high] { return std::make_unique<kvz::SoundPlayer>(QStringList{low, high}); });
  starts("low");
  effects->setFile(low);
  effects->play();
  QTest::qWait(kLowAloneMs);
  starts("high");
  effects->setFile(high);
  effects->play();
  QTest::qWait(kHighMs);
  effects->stop();

  const auto musicPlayer = sound.player([] { return std::make_unique<kvz::SoundPlayer>(QStringList(), kvz::SoundPlayer::Repeat::Forever); });
  musicPlayer->setFile(music);
  starts("music");
  musicPlayer->play();
  QTest::qWait(kMusicMs);
  musicPlayer->stop();
  return 0;
}
