#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

QString shownTexts(const GameHarness& h) {
  QString s;
  for (const char* name : {"lblZadani", "lblA", "lblB", "lblC", "lblD"}) s += h[name].visible() ? "1" : "0";
  return s;
}

// Before the window appears (once, already tidied): question 1, the music, the countdown
// video loaded but parked above the window with its square ready, the panels hidden. Then the
// question at once, the answers one per second from the second second, the input open with
// the last one; the timers enabled at creation (blinking, winnings, verdict) stay quiet.
TEST(GameReveal, QuestionAtOnceThenAnswersOnePerSecondThenInputOpens) {
  GameHarness h;
  h.game->Show();
  EXPECT_EQ(h.windows.showLog.size(), 1u);
  EXPECT_EQ(h["imgStupnice"].picture(), "S01");
  EXPECT_TRUE(h.game->SouborOtazky.endsWith("/qst/01-001.qst"));
  EXPECT_EQ(h.music.played(), std::vector<QString>{"bgm.wav"});
  EXPECT_TRUE(h.video.file().endsWith("snd/odpocet.avi") && h.video.times(Op::Play).empty());
  EXPECT_EQ(h["WMP3"].geometry().top, -2500);
  EXPECT_EQ(h["Shape2"].geometry(), (Rect{2160, 0, 3375, 3375}));
  EXPECT_EQ(h["Shape2"].look().outline, (Rgb{0, 0, 0}));
  for (const char* name : {"Shape1", "Shape2", "imgVyhra", "imgNDivGraf", "colNDivA", "lblNDivD", "txtNTelVypis"})
    EXPECT_FALSE(h[name].visible()) << name;
  EXPECT_EQ(h["imgN5050"].picture() + h["imgNTel"].picture(), "N-5050N-tel");
  const std::pair<std::int64_t, const char*> expected[] = {
      {0, "10000"}, {1999, "10000"}, {2000, "11000"}, {2999, "11000"},
      {3000, "11100"}, {4000, "11110"}, {4999, "11110"}, {5000, "11111"}};
  for (const auto& [time, pattern] : expected) {
    h.clock.advanceTo(time);
    EXPECT_EQ(shownTexts(h), pattern) << "at " << time;
    EXPECT_EQ(h.gate(), time < 5000 ? "locked" : "open") << "at " << time;
  }
  EXPECT_EQ(h.game->KrokBliku + h.game->KrokCastky, 0);
  EXPECT_TRUE(h.effects.log.empty());
  EXPECT_EQ(h.clock.nextDue(), -1);  // nothing runs while the player thinks
}

}  // namespace
}  // namespace kvz
