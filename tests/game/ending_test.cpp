#include <gtest/gtest.h>

#include <functional>

#include "fakes/game_harness.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

// The game is over: the menu came back at `end`, the window went after its boxes had closed,
// nothing of the game runs on and no player sounds over the menu.
void expectOverAt(const GameHarness& h, std::int64_t end) {
  EXPECT_EQ(h.game->form(), nullptr);
  EXPECT_EQ(h.menuShown, std::vector<std::int64_t>{end});
  EXPECT_EQ(h.windows.unloadLog, std::vector<QString>{"frmMain"});
  EXPECT_EQ(h.windows.unloadsUnderOpenBox, 0);
  EXPECT_EQ(h.clock.nextDue(), -1);
  for (const auto* player : {&h.music, &h.effects, &h.video}) EXPECT_FALSE(player->sounding());
}

// At question 5 the kept amount is that of question 4, shown for 3 s, not the 9 s of a win.
TEST(Ending, EscConfirmedKeepsTheLastRightAmountForThreeSecondsWithEverythingLocked) {
  for (int level : {1, 3, 5}) {
    GameHarness h;
    h.playTo(level);
    const std::int64_t t = h.now();
    h.boxes.answers = {MsgResult::Yes, MsgResult::Yes};
    h.form().keyUp(vk::Escape);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h.game->HodnotaOtazky, level - 1);
    EXPECT_EQ(h["imgVyhra"].picture(), QStringLiteral("C0%1").arg(level - 1));
    EXPECT_EQ(h.music.times(Op::Stop), std::vector<std::int64_t>{t});

    // A second Esc, F10, a pick or the uncovered strip of plates C and D: all refused.
    h.clock.advance(1000);
    for (const char* name : {"imgC", "imgD", "lblC", "lblD", "imgN5050"}) h[name].click();
    for (int key : {vk::Escape, vk::F10, vk::C, vk::F5}) h.form().keyUp(key);
    EXPECT_EQ(h.gate(), "locked");
    EXPECT_EQ(h["imgC"].picture(), "C-M");
    EXPECT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.effects.played().size(), static_cast<std::size_t>(level - 1));  // no verdict sound
    h.clock.advanceTo(t + 2999);
    ASSERT_NE(h.game->form(), nullptr);
    h.clock.advanceTo(t + 3000);
    expectOverAt(h, t + 3000);
  }
}

// The information box of the logo answers during every sequence, so a player can leave it
// open while the game ends: the game ends on time, the box closes, the menu comes back, and
// the next game starts clean. Each ending from a revealed question, its end from now.
TEST(Ending, ABoxHeldOpenOverTheEndClosesWithTheGameOnTime) {
  const std::tuple<const char*, int, std::function<void(GameHarness&)>, std::int64_t> ends[] = {
      {"wrong answer", 1, [](GameHarness& h) { h.form().keyUp(GameHarness::wrongKey(1)); }, 2000 + 3000 + 3000},
      {"top prize", 5, [](GameHarness& h) { h.form().keyUp(GameHarness::rightKey(5)); }, 6000 + 2200 + 9000},
      {"confirmed Esc", 2, [](GameHarness& h) { h.boxes.answers = {MsgResult::Yes, MsgResult::Ok}, h.form().keyUp(vk::Escape); }, 3000},
      {"no next question", 1, [](GameHarness& h) { h.removeQuestions(), h.form().keyUp(GameHarness::rightKey(1)); }, 2000 + 2200 + 2000 + 1}};
  for (const auto& [what, level, start, endsAfter] : ends) {
    SCOPED_TRACE(what);
    GameHarness h;
    h.playTo(level);
    h.game->N5050 = h.game->NDivaci = false;
    const std::int64_t t = h.now();
    start(h);
    h.video.play();  // as the countdown of a phone call would be
    h.boxes.delays = {60000};
    h["imgLogo"].doubleClick();
    EXPECT_EQ(std::count_if(h.boxes.shown.begin(), h.boxes.shown.end(), [](const auto& b) { return b.dismissed; }), 1);
    EXPECT_EQ(h.now(), t + endsAfter);
    expectOverAt(h, t + endsAfter);
    h.writeQuestion(1, 1, GameHarness::stockQuestion(1));
    h.playTo(1);
    EXPECT_EQ(h["imgStupnice"].picture() + h["imgN5050"].picture(), "S01N-5050");
    EXPECT_TRUE(h.game->N5050 && h.game->NDivaci && h.game->DuvodKonce.isEmpty());
    EXPECT_EQ(h.gate(), "open");
    EXPECT_EQ(h.music.played().size(), 2u);
  }
}

TEST(Ending, ClosingTheWindowUnderABoxWaitsForTheBox) {
  GameHarness h;
  h.playTo(1);
  Timer wmClose(h.clock, 500, true);  // the window manager closes the window meanwhile
  wmClose.onTick = [&] {
    wmClose.setEnabled(false);
    h.game->Unload();
  };
  h.boxes.answers = {MsgResult::Yes};
  h.boxes.delays = {1000};
  h.form().keyUp(vk::Escape);
  EXPECT_TRUE(h.boxes.shown[0].dismissed);
  h.game->Unload();  // a second close finds nothing to do
  EXPECT_EQ(h.windows.unloadLog, std::vector<QString>{"frmMain"});
  EXPECT_EQ(h.windows.unloadsUnderOpenBox, 0);
  EXPECT_FALSE(h.music.sounding());
  EXPECT_TRUE(h.menuShown.empty());
  EXPECT_EQ(h.game->HodnotaOtazky, 1);  // the dismissed question box was not a Yes
}

}  // namespace
}  // namespace kvz
