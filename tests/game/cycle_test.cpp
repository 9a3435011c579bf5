#include <gtest/gtest.h>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

TEST(GameLoad, FirstQuestionStartsTheMusicLadderAndHidesWhatTheLayoutShows) {
  GameHarness h;
  h.game->Show();
  FrmMain& g = *h.game;

  EXPECT_EQ(g.HodnotaOtazky, 1);
  EXPECT_EQ(h["imgStupnice"].picture(), "S01");
  EXPECT_TRUE(g.SouborOtazky.endsWith("/qst/01-001.qst")) << g.SouborOtazky.toStdString();
  EXPECT_EQ(h.music.played(), std::vector<QString>{"bgm.wav"});
  // The countdown video is loaded but waits, parked above the window.
  EXPECT_TRUE(h.video.file().endsWith("snd/odpocet.avi"));
  EXPECT_TRUE(h.video.times(Op::Play).empty());
  EXPECT_EQ(h["WMP3"].geometry().top, -2500);
  EXPECT_EQ(h["Shape2"].geometry(), (Rect{2160, 0, 3375, 3375}));
  EXPECT_EQ(h["Shape2"].look().outline, (Rgb{0, 0, 0}));
  EXPECT_FALSE(h["Shape2"].visible());

  for (const char* name : {"Shape1", "imgVyhra", "imgNDivGraf", "colNDivA", "colNDivD", "lblNDivA", "lblNDivD",
                           "lblA", "lblB", "lblC", "lblD", "txtNTelVypis"})
    EXPECT_FALSE(h[name].visible()) << name;
  EXPECT_TRUE(h["imgLogo"].visible());
  EXPECT_TRUE(h["lblZadani"].visible());
  EXPECT_EQ(h["lblZadani"].caption(), "Otazka 1");
  EXPECT_EQ(h["imgN5050"].picture(), "N-5050");
  EXPECT_EQ(h["imgNDiv"].picture(), "N-div");
  EXPECT_EQ(h["imgNTel"].picture(), "N-tel");
  EXPECT_TRUE(g.Zamceno);

  // The window is shown once, after the first question has tidied it.
  ASSERT_EQ(h.windows.showLog.size(), 1u);
  EXPECT_EQ(h.windows.showLog[0].name, "frmMain");
  EXPECT_TRUE(h.windows.isShown("frmMain"));
}

TEST(GameLoad, TimersEnabledAtCreationNeverTickBeforeTheFirstQuestion) {
  GameHarness h;
  h.game->Show();
  // Only the reveal runs: blinking (350 ms), winnings (1000 ms) and the verdict stay quiet.
  EXPECT_FALSE(h.timer("tmrBlik").running());
  EXPECT_FALSE(h.timer("tmrCastka").running());
  EXPECT_FALSE(h.timer("tmrZvuk").running());
  EXPECT_EQ(h.clock.nextDue(), 1000);
  h.clock.advance(1000);
  EXPECT_EQ(h.game->KrokBliku, 0);
  EXPECT_EQ(h.game->KrokCastky, 0);
  EXPECT_EQ(h.game->KrokZobrazeni, 2);
  EXPECT_TRUE(h.effects.log.empty());
}

TEST(GameReveal, QuestionAtOnceThenAnswersOnePerSecondThenInputOpens) {
  GameHarness h;
  h.game->Show();
  const auto shown = [&] {
    QString s;
    for (const char* name : {"lblZadani", "lblA", "lblB", "lblC", "lblD"}) s += h[name].visible() ? "1" : "0";
    return s;
  };
  const std::pair<std::int64_t, const char*> expected[] = {
      {0, "10000"}, {1999, "10000"}, {2000, "11000"}, {2999, "11000"},
      {3000, "11100"}, {4000, "11110"}, {4999, "11110"}, {5000, "11111"}};
  for (const auto& [time, pattern] : expected) {
    h.clock.advanceTo(time);
    EXPECT_EQ(shown(), pattern) << "at " << time;
    EXPECT_EQ(h.game->Zamceno, time < 5000) << "at " << time;
  }
  EXPECT_FALSE(h.timer("tmrZobrazeniOtazky").running());
  for (const char* name : {"imgA", "imgB", "imgC", "imgD", "imgN5050", "imgNDiv", "imgNTel"}) {
    EXPECT_TRUE(h[name].enabled()) << name;
    EXPECT_EQ(h[name].pointer(), Pointer::Hand) << name;
  }
  EXPECT_EQ(h["lblA"].caption(), "1-A");
  EXPECT_EQ(h["lblD"].caption(), "1-D");
  EXPECT_EQ(h.clock.nextDue(), -1);  // nothing runs while the player thinks
}

TEST(GameCycle, SecondQuestionKeepsTheMusicAndMovesTheLadderUp) {
  GameHarness h;
  h.playTo(2);
  EXPECT_EQ(h.game->HodnotaOtazky, 2);
  EXPECT_EQ(h["imgStupnice"].picture(), "S02");
  EXPECT_EQ(h.music.played(), std::vector<QString>{"bgm.wav"});
  EXPECT_TRUE(h.music.times(Op::Stop).empty());
  EXPECT_EQ(h["lblZadani"].caption(), "Otazka 2");
  EXPECT_TRUE(h.game->SouborOtazky.endsWith("02-001.qst"));
  // The plates of the last verdict are blue again and the per-question counters start over.
  for (const char* plate : {"imgA", "imgB", "imgC", "imgD"})
    EXPECT_EQ(h[plate].picture(), QString(QChar(plate[3])) + "-M");
  EXPECT_EQ(h.game->KrokBliku, 0);
  EXPECT_EQ(h.game->KrokCastky, 0);
  EXPECT_TRUE(h.game->DuvodKonce.isEmpty());
  EXPECT_FALSE(h.game->SpravnaOdpoved);
}

TEST(GameCycle, PerQuestionMarksOfTheLifelinesDoNotCarryOver) {
  GameHarness h;
  h.playTo(1);
  // As fifty-fifty and the poll leave the question: two answers gone, the graph up.
  FrmMain& g = *h.game;
  g.Pouzito5050 = true;
  g.PouzitoDivaci = true;
  g.N5050 = false;
  g.TelPocetZnaku = 12;
  h["txtNTelVypis"].setCaption("Haló");
  h["lblA"].setVisible(false);
  h["lblC"].setVisible(false);
  h["imgNDivGraf"].setVisible(true);
  h["imgLogo"].setVisible(false);
  h.answerRightAndGoOn();

  EXPECT_FALSE(g.Pouzito5050);
  EXPECT_FALSE(g.PouzitoDivaci);
  EXPECT_EQ(g.TelPocetZnaku, 0);
  EXPECT_TRUE(h["txtNTelVypis"].caption().isEmpty());
  for (const char* name : {"lblA", "lblB", "lblC", "lblD", "imgLogo"}) EXPECT_TRUE(h[name].visible()) << name;
  EXPECT_FALSE(h["imgNDivGraf"].visible());
  // A lifeline used stays used for the game.
  EXPECT_FALSE(h["imgN5050"].enabled());
  EXPECT_EQ(h["imgN5050"].pointer(), Pointer::Arrow);
  EXPECT_TRUE(h["imgNDiv"].enabled());
}

class NewGame : public ::testing::TestWithParam<bool> {};

TEST_P(NewGame, AfterALostOrAbandonedGameStartsCleanAtQuestionOne) {
  const bool abandoned = GetParam();
  GameHarness h;
  h.playTo(3);
  h.game->N5050 = false;
  h.game->NDivaci = false;
  if (abandoned) {
    h.boxes.answers.push_back(MsgResult::Yes);
    h.form().keyUp(vk::Escape);
  } else {
    h.form().keyUp(GameHarness::wrongKey(3));
  }
  while (h.game->form() && h.clock.step()) {
  }
  ASSERT_EQ(h.menuShown.size(), 1u);
  ASSERT_EQ(h.game->form(), nullptr);

  h.playTo(1);
  FrmMain& g = *h.game;
  EXPECT_EQ(g.HodnotaOtazky, 1);
  EXPECT_EQ(h["imgStupnice"].picture(), "S01");
  EXPECT_TRUE(g.N5050 && g.NDivaci && g.NTelefon);
  for (const char* icon : {"imgN5050", "imgNDiv", "imgNTel"}) {
    EXPECT_TRUE(h[icon].enabled()) << icon;
    EXPECT_EQ(h[icon].pointer(), Pointer::Hand) << icon;
  }
  EXPECT_EQ(h["imgN5050"].picture(), "N-5050");
  EXPECT_TRUE(g.DuvodKonce.isEmpty());
  EXPECT_FALSE(h["imgVyhra"].visible());
  EXPECT_EQ(h.music.played().size(), 2u);  // the music of the new game
  EXPECT_EQ(h.windows.showLog.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(GameCycle, NewGame, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Abandoned" : "Lost"; });

TEST(GameCycle, UnloadByTheShellSilencesThePlayersAndClosesTheWindow) {
  GameHarness h;
  h.playTo(1);
  h.game->Unload();
  EXPECT_EQ(h.game->form(), nullptr);
  EXPECT_EQ(h.windows.unloadLog, std::vector<QString>{"frmMain"});
  EXPECT_FALSE(h.music.times(Op::Stop).empty());
  EXPECT_FALSE(h.effects.times(Op::Stop).empty());
  EXPECT_TRUE(h.menuShown.empty());
  h.game->Unload();  // a second close finds nothing to do
  EXPECT_EQ(h.windows.unloadLog.size(), 1u);
}

}  // namespace
}  // namespace kvz
