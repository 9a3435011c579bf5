#include <gtest/gtest.h>

#include <functional>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;

// What any input could change: the pick, the marks, the answers and icons shown, the boxes,
// the players and the next timer due.
QString snapshot(const GameHarness& h) {
  const FrmMain& g = *h.game;
  QString s = QStringLiteral("%1 %2%3%4%5%6%7 ").arg(g.ZvolenaOdpoved).arg(g.N5050).arg(g.NDivaci).arg(g.NTelefon)
                  .arg(g.Pouzito5050).arg(g.PouzitoDivaci).arg(g.Zamceno);
  for (const char* name : {"lblA", "lblB", "lblC", "lblD", "imgNDivGraf", "txtNTelVypis"}) s += QString::number(h[name].visible());
  for (const char* name : {"imgA", "imgB", "imgC", "imgD", "imgN5050", "imgNDiv", "imgNTel"}) s += ' ' + h[name].picture();
  return s + QStringLiteral(" %1 %2/%3/%4 @%5").arg(h.boxes.shown.size()).arg(h.effects.log.size()).arg(h.music.log.size())
                 .arg(h.video.log.size()).arg(h.clock.nextDue());
}

// Locked (reveal, pick, winnings, poll, call) or spent: every plate, text, icon, key of the
// game (each box that opens would answer Yes) and, while locked, the lifeline handlers
// themselves change nothing, and the sequence goes on on time.
TEST(InputGate, NothingIsTakenWhileLockedAndNoLifelineTwice) {
  const auto until = [](GameHarness& h, const std::function<bool()>& done) { while (!done()) h.clock.step(); };
  const std::pair<const char*, std::function<void(GameHarness&)>> situations[] = {
      {"reveal starts", [](GameHarness& h) { h.game->Show(); }},
      {"last answer due", [](GameHarness& h) { h.game->Show(), h.clock.advance(4999); }},
      {"next reveal", [&](GameHarness& h) { h.playTo(1), h.form().keyUp('B'), until(h, [&] { return h.game->HodnotaOtazky == 2; }); }},
      {"after a pick", [](GameHarness& h) { h.playTo(1), h.form().keyUp('B'), h.clock.advance(500); }},
      {"winnings", [&](GameHarness& h) { h.playTo(1), h.form().keyUp('B'), until(h, [&] { return h["imgVyhra"].visible(); }); }},
      {"poll", [](GameHarness& h) { h.playTo(1), h.form().keyUp(vk::F7), h.clock.advance(9000); }},
      {"call", [](GameHarness& h) { h.playTo(1), h.form().keyUp(vk::F6), h.clock.advance(5000); }},
      {"spent", [](GameHarness& h) {
         h.playTo(1);
         for (int key : {vk::F5, vk::F7, vk::F6})
           for (h.form().keyUp(key); h.game->Zamceno;) h.clock.step();
       }},
  };
  for (const auto& [what, reach] : situations) {
    GameHarness h;
    reach(h);
    const QString before = snapshot(h);
    h.boxes.answers.assign(16, MsgResult::Yes);
    if (h.game->Zamceno) {
      for (const char* name : {"imgA", "imgB", "imgC", "imgD", "lblA", "lblB", "lblC", "lblD"}) h[name].click();
      for (int key : {vk::A, vk::B, vk::C, vk::D, vk::F10, vk::Escape}) h.form().keyUp(key);
      h.game->imgN5050_Click(), h.game->imgNDiv_Click(), h.game->imgNTel_Click();
    }
    for (int key : {vk::F5, vk::F6, vk::F7}) h.form().keyUp(key);
    for (const char* icon : {"imgN5050", "imgNDiv", "imgNTel"}) h[icon].click();
    EXPECT_EQ(snapshot(h), before) << what;
    EXPECT_EQ(h.gate(), h.game->Zamceno ? "locked" : "open") << what;
  }
}

TEST(InputGate, PlateTextAndKeyOfEitherCasePickTheSameAnswerOnce) {
  const std::function<void(GameHarness&)> ways[] = {[](GameHarness& h) { h["imgC"].click(); },
                                                    [](GameHarness& h) { h["lblC"].click(); },
                                                    [](GameHarness& h) { h.form().keyUp(vk::C); },
                                                    [](GameHarness& h) { h.form().keyUp(vk::C, 1); }};
  for (const auto& pickC : ways) {
    GameHarness h;
    h.playTo(1);
    pickC(h);
    h.form().keyUp(vk::A);  // the first pick stands
    EXPECT_EQ(h.game->ZvolenaOdpoved, "C");
    EXPECT_EQ(h["imgC"].picture(), "C-O");
    EXPECT_EQ(h.gate(), "locked");
    EXPECT_EQ(h.clock.nextDue(), h.now() + 2000);
  }
}

TEST(InputGate, KeysThatAreNotTheGamesAndHiddenAnswersTakeNothing) {
  GameHarness h;
  h.playTo(1);
  // As fifty-fifty leaves an answer: text hidden, plate disabled.
  h["lblA"].setVisible(false);
  h["imgA"].setEnabled(false);
  h["imgA"].click();
  for (int key : {vk::A, int{'E'}, int{'a'}, 13, 32, 112, 120, 122, 0, -1, 65535}) h.form().keyUp(key, 1);
  EXPECT_TRUE(h.game->ZvolenaOdpoved.isEmpty() && !h.game->Zamceno && h.boxes.shown.empty());
  EXPECT_EQ(h.clock.nextDue(), -1);
}

}  // namespace
}  // namespace kvz
