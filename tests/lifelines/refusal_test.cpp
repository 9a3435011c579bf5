#include <gtest/gtest.h>

#include <functional>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;

// What a lifeline would change: its availability, the marks of the question, the answers on
// screen, the icons, the players and the lifeline timers.
QStringList snapshot(const GameHarness& h) {
  const FrmMain& g = *h.game;
  QStringList s;
  s << QString::number(g.N5050) + QString::number(g.NDivaci) + QString::number(g.NTelefon) +
           QString::number(g.Pouzito5050) + QString::number(g.PouzitoDivaci) + QString::number(g.Zamceno);
  for (const char* name : {"lblA", "lblB", "lblC", "lblD", "imgNDivGraf", "txtNTelVypis"})
    s << QString::number(h[name].visible());
  for (const char* name : {"imgN5050", "imgNDiv", "imgNTel"}) s << h[name].picture();
  s << QString::number(h.effects.log.size()) + "/" + QString::number(h.music.log.size()) + "/" +
           QString::number(h.video.log.size());
  for (const char* name : {"tmrNDivaci", "tmrNTel1", "tmrNTel2"})
    s << QString::number(h.timer(name).running()) + QString::number(h.timer(name).interval());
  return s;
}

// Every way to reach every lifeline: its key, a click on its icon, and the handler itself
// (which must refuse on its own while the input is locked).
void tryAllLifelines(GameHarness& h, bool handlersToo) {
  for (int key : {vk::F5, vk::F6, vk::F7}) h.form().keyUp(key);
  for (const char* icon : {"imgN5050", "imgNDiv", "imgNTel"}) h[icon].click();
  if (!handlersToo) return;
  h.game->imgN5050_Click();
  h.game->imgNDiv_Click();
  h.game->imgNTel_Click();
}

struct Situation {
  const char* what;
  std::function<void(GameHarness&)> reach;  // from question 1 revealed
};

TEST(LifelineGate, EveryLifelineIsRefusedWhileTheInputIsLockedAndLaterStillWorks) {
  const Situation situations[] = {
      {"during the reveal",
       [](GameHarness& h) {
         h.form().keyUp('B');
         while (h.game->HodnotaOtazky == 1) h.clock.step();
         h.clock.advance(2500);
       }},
      {"after a pick", [](GameHarness& h) { h.form().keyUp('B'); }},
      {"during the winnings",
       [](GameHarness& h) {
         h.form().keyUp('B');
         while (!h["imgVyhra"].visible()) h.clock.step();
       }},
      {"during the poll", [](GameHarness& h) { h.form().keyUp(vk::F7); h.clock.advance(9000); }},
      {"during the call", [](GameHarness& h) { h.form().keyUp(vk::F6); h.clock.advance(5000); }},
  };
  for (const Situation& s : situations) {
    GameHarness h;
    h.playTo(1);
    s.reach(h);
    ASSERT_TRUE(h.game->Zamceno) << s.what;
    const QStringList before = snapshot(h);
    tryAllLifelines(h, true);
    EXPECT_EQ(snapshot(h), before) << s.what;
  }
}

TEST(LifelineGate, ASpentLifelineIsInertByKeyAndClick) {
  GameHarness h;
  h.playTo(1);
  h.form().keyUp(vk::F5);
  h.form().keyUp(vk::F7);
  while (h.game->Zamceno) h.clock.step();
  h.form().keyUp(vk::F6);
  while (h.game->Zamceno) h.clock.step();
  const QStringList before = snapshot(h);
  EXPECT_EQ(before[0], "000110");
  tryAllLifelines(h, false);
  EXPECT_EQ(snapshot(h), before);
  for (const char* icon : {"imgN5050", "imgNDiv", "imgNTel"}) {
    EXPECT_FALSE(h[icon].enabled()) << icon;
    EXPECT_EQ(h[icon].pointer(), Pointer::Arrow) << icon;
  }
  // The next question brings the answers back, the icons stay crossed out and inert.
  h.form().keyUp('B');
  while (h.game->HodnotaOtazky == 1) h.clock.step();
  h.finishReveal();
  EXPECT_EQ(snapshot(h)[7], "N-5050x");
  for (const char* icon : {"imgN5050", "imgNDiv", "imgNTel"}) EXPECT_FALSE(h[icon].enabled()) << icon;
  for (const char* label : {"lblA", "lblB", "lblC", "lblD"}) EXPECT_TRUE(h[label].visible()) << label;
}

}  // namespace
}  // namespace kvz
