#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "assets/layout_about.h"
#include "assets/layout_rules.h"
#include "fakes/fakes.h"
#include "platform/scene_scale.h"
#include "shell/command_line.h"
#include "shell/display_mode.h"
#include "shell/frm_intro.h"
#include "shell/menu_sound.h"

namespace kvz {
namespace {

// A display with a list of modes that records every switch.
struct FakeDisplay final : DisplayMode {
  struct State {
    ScreenSize size{1024, 768};
    std::vector<ScreenSize> modes{{1024, 768}, {800, 600}, {640, 480}};
    bool refuse = false, broken = false;  // broken: unmeasurable, no modes, as a display gone away
    int monitors = 1;
  } s;
  std::vector<ScreenSize> switches;
  std::function<void()> onSwitch;

  int activeMonitors() const override { return s.monitors; }
  ScreenSize current() const override { return s.broken ? ScreenSize{} : s.size; }
  bool offers(int w, int h) const override {
    if (s.broken) return false;  // as RandR answers without a screen configuration
    return std::find(s.modes.begin(), s.modes.end(), ScreenSize{w, h}) != s.modes.end();
  }
  bool switchTo(int w, int h) override {
    switches.push_back({w, h});
    if (onSwitch) onSwitch();
    if (!s.refuse) s.size = {w, h};
    return !s.refuse;
  }
};

// The menu sound: records what it was asked to play and tells a set length.
struct FakeMenuSound final : MenuSound {
  int lengthMs = 2500;
  std::vector<QString> played;
  int play(const QString& path) override { return played.push_back(path), lengthMs; }
};

// The start menu with its two screens and a stand-in for the game window.
struct Menu {
  explicit Menu(QString commandLine = {})
      : intro({clock, windows, boxes, display, sound, paths, measure}, std::move(commandLine), rules, about,
              {level, [this] { ++gamesShown, gameLoad ? gameLoad() : void(); }}) {}

  Element& el(const char* name) const { return (*intro.form())[QString::fromLatin1(name)]; }
  void click(const char* name) const { el(name).click(); }

  VirtualClock clock;
  fakes::FakeWindowSystem windows;
  fakes::ScriptedMessageBoxes boxes;
  FakeDisplay display;
  FakeMenuSound sound;
  GamePaths paths{"/opt/kvizarion"};
  fakes::FixedTextMeasure measure{60};
  InfoScreen rules{windows, measure, makeFrmRules};
  InfoScreen about{windows, measure, makeFrmAbout};
  std::int16_t level = 7;
  int gamesShown = 0;
  std::function<void()> gameLoad;  // what the game window's load does besides
  FrmIntro intro;
};

TEST(CommandLine, OnlyTheExactWordAloneKeepsTheDisplay) {
  EXPECT_TRUE(isNoFullscreen(commandLineText({"no_fullscreen"})));
  for (const QStringList& words : std::vector<QStringList>{{}, {"NO_FULLSCREEN"}, {"No_fullscreen"}, {"no_fullscreen", "x"},
                                                           {"-v", "no_fullscreen"}, {"no_fullscreen", ""},
                                                           {" no_fullscreen"}, {"no_fullscreen2"}})
    EXPECT_FALSE(isNoFullscreen(commandLineText(words))) << words.join(QLatin1Char('|')).toStdString();
}

// How the game takes the screen: whether it switches, what it restores at the exit, and the
// factor its full-screen windows then draw the scene at on the game's monitor.
// display: size, modes, refuse, broken, monitors; measured: sirka and vyska; switches: at
// start and at the exit button, in order.
struct ScreenCase {
  const char *name, *commandLine;
  FakeDisplay::State display;
  ScreenSize measured;
  std::vector<ScreenSize> switches;
  int scale;
};

TEST(StartMenuLoad, TheDisplayIsSwitchedOnlyWhereThatIsSafe) {
  const std::vector<ScreenSize> all{{1920, 1080}, {1024, 768}, {640, 480}};
  const std::vector<ScreenCase> cases{
      {"RandR with the mode", "", {{1024, 768}, all, false, false, 1}, {1024, 768}, {{640, 480}, {1024, 768}}, 1},
      {"no RandR (Wayland)", "", {{1920, 1080}, {}, false, false, 1}, {1920, 1080}, {}, 2},
      {"no 640x480 mode", "", {{3840, 2160}, {{3840, 2160}}, false, false, 1}, {3840, 2160}, {{3840, 2160}}, 4},
      {"switch refused", "", {{1920, 1080}, all, true, false, 1}, {1920, 1080}, {{640, 480}, {1920, 1080}}, 2},
      {"two monitors", "", {{1920, 1080}, all, false, false, 2}, {}, {}, 2},
      {"no_fullscreen", "no_fullscreen", {{1920, 1080}, all, false, false, 1}, {}, {}, 2},
      {"a display gone away: no message", "", {{1024, 768}, all, false, true, 1}, {}, {}, 1},
      {"a width beyond 16 bits", "", {{40000, 768}, all, false, false, 1}, {32767, 768}, {{640, 480}}, 1},
  };
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.name);
    Menu m(QString::fromLatin1(c.commandLine));
    m.display.s = c.display;
    m.intro.Show();
    EXPECT_TRUE(m.windows.isShown(QStringLiteral("frmIntro")));
    EXPECT_EQ((ScreenSize{m.intro.sirka, m.intro.vyska}), c.measured);
    EXPECT_EQ(sceneScaleFor(m.display.current().width, m.display.current().height), c.scale);
    m.click("imgKonec");
    EXPECT_EQ(m.display.switches, c.switches);
  }
}

TEST(DisplayRestore, BringsBackTheRateFoundAtStartAndOtherwiseTheNearestToTheCurrent) {
  struct Case { ScreenSize target; int currentRate; std::vector<int> offered; int expected; };
  for (const Case& c : std::vector<Case>{
           {{1024, 768}, 60, {60, 70, 75}, 75},  // the restore: the start's rate, not the current one
           {{1024, 768}, 60, {60, 70}, 60},      // that rate is gone: the nearest
           {{640, 480}, 75, {60, 72, 85}, 72},   // the switch: the nearest to the current
           {{640, 480}, 75, {}, 0},              // no rates listed
       })
    EXPECT_EQ(rateFor(c.target, {1024, 768}, 75, c.currentRate, c.offered), c.expected) << c.target.width << " at " << c.currentRate;
}

// The label is painted, lights.wav plays, and the game opens when it has ended (at once when
// there is nothing to hear, at the limit when the length is absurd); the menu goes. While the
// sound plays the menu swallows every click, one queued during the painting too.
TEST(NewGame, TheGameOpensWhenTheSoundHasEndedAndTheMenuSwallowsClicksMeanwhile) {
  for (const auto& [length, wait] : {std::pair{2500, 2500}, {0, 0}, {-40, 0}, {2'000'000'000, kMenuSoundLimitMs}}) {
    SCOPED_TRACE(length);
    Menu m;
    m.sound.lengthMs = length;
    m.intro.Show();
    Form* menu = m.intro.form();
    bool labelPainted = false;
    m.windows.onProcessEvents = [&] {
      labelPainted = m.el("lblLoading").visible() && m.el("shpLoading").visible();
      if (m.intro.form()) m.click("imgNova");
    };
    m.click("imgNova");
    EXPECT_TRUE(labelPainted);
    m.windows.onProcessEvents = nullptr;
    if (wait > 0) {
      for (const char* button : {"imgNova", "imgPrav", "imgAbout", "imgKonec"}) m.click(button);
      EXPECT_FALSE(m.rules.isOpen() || m.about.isOpen() || m.windows.quitCalled || !m.boxes.shown.empty());
      m.clock.advance(wait - 1);
      EXPECT_EQ(m.gamesShown, 0);
      m.clock.advance(1);
    }
    EXPECT_EQ(m.sound.played, std::vector{QStringLiteral("/opt/kvizarion/snd/lights.wav")});
    EXPECT_EQ(m.gamesShown, 1);
    EXPECT_FALSE(m.windows.isShown(QStringLiteral("frmIntro")));
    // The unloaded menu is kept alive by the window system until its handler has returned.
    EXPECT_FALSE((*menu)[QStringLiteral("lblLoading")].visible());
    m.clock.advance(60000);
    EXPECT_EQ(m.gamesShown, 1);
  }
}

// Every way the program ends restores the start's display once (none before it was switched)
// and never opens the game afterwards; only the exit button says goodbye, and restores after
// its box and before the pending events run.
TEST(EndOfProgram, EveryEndRestoresTheDisplayOnceInOrderAndQuits) {
  const std::vector<ScreenSize> restored{{640, 480}, {1024, 768}};
  const struct {
    const char* name;
    bool loaded;
    void (*end)(Menu&);
    std::vector<ScreenSize> switches;
    std::size_t boxes;
  } cases[] = {
      {"the exit button", true, [](Menu& m) { m.click("imgKonec"); }, restored, 1},
      {"the window manager", true, [](Menu& m) { m.intro.form()->onCloseRequest(); }, restored, 0},
      {"a signal, then the window closing", true,
       [](Menu& m) { m.intro.UkonciProgram(), m.intro.UkonciProgram(), m.intro.VratObrazovku(); }, restored, 0},
      {"the window manager during the sound", true, [](Menu& m) { m.click("imgNova"), m.intro.form()->onCloseRequest(); },
       restored, 0},
      {"a signal before the menu loaded", false, [](Menu& m) { m.intro.UkonciProgram(); }, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Menu m;
    if (c.loaded) m.intro.Show();
    std::vector<std::string> order;
    const auto quit = [&] { return m.windows.quitCalled ? " after the end" : ""; };
    m.display.onSwitch = [&] { order.push_back("restore after " + std::to_string(m.boxes.shown.size()) + quit()); };
    m.windows.onProcessEvents = [&] { order.push_back(std::string("events") + quit()); };
    c.end(m);
    m.clock.advance(60000);
    EXPECT_EQ(m.display.switches, c.switches);
    EXPECT_EQ(m.boxes.shown.size(), c.boxes);
    if (c.boxes) {
      EXPECT_EQ(order, (std::vector<std::string>{"restore after 1", "events"}));
    }
    EXPECT_TRUE(m.windows.quitCalled);
    EXPECT_EQ(m.gamesShown, 0);
  }
}

// The game window's load lets pending events run while the menu is still loaded. A click
// there on a button of the menu does nothing: no screen over a window about to go, no second
// game and lights.wav; after the game the menu answers again.
TEST(NewGame, ClicksOnTheMenuDuringTheGamesLoadDoNothingAndTheMenuAnswersAfterTheGame) {
  for (const char* button : {"imgNova", "imgPrav", "imgAbout"}) {
    SCOPED_TRACE(button);
    Menu m;
    m.intro.Show();
    m.gameLoad = [&m] { m.windows.processEvents(); };
    m.windows.onProcessEvents = [&m, button] {
      if (m.intro.form()) m.click(button);
    };
    m.click("imgNova");
    m.clock.advance(60000);
    m.windows.onProcessEvents = nullptr;
    EXPECT_EQ(m.sound.played.size(), 1u);
    EXPECT_EQ(m.gamesShown, 1);
    EXPECT_EQ(m.windows.showLog.size(), 1u);  // the menu alone
    m.intro.Show();  // the game is over
    m.click("imgPrav");
    EXPECT_TRUE(m.windows.isShown(QStringLiteral("frmRules")));
    m.rules.Command1_Click();
    m.click("imgNova");
    m.clock.advance(60000);
    EXPECT_EQ(m.gamesShown, 2);
  }
}

// A screen whose window went with its owner is closed: the menu takes clicks and opens it
// afresh over itself.
TEST(InfoScreens, AScreenWhoseWindowWentWithItsOwnerCountsAsClosed) {
  Menu m;
  auto owner = std::make_unique<Form>(QStringLiteral("frmOther"), QString());
  m.rules.Show(*owner);
  m.windows.unload(std::move(owner));
  EXPECT_FALSE(m.rules.isOpen());
  m.intro.Show();
  m.click("imgPrav");
  EXPECT_TRUE(m.rules.isOpen());
  EXPECT_EQ(m.windows.modalOwnerOf(QStringLiteral("frmRules")), QStringLiteral("frmIntro"));
}

// Random clicks on the menu's buttons and its screens' "OK" at random times: while the menu
// sound plays, while its label is painted, inside the game window's load, and the game ending
// at random. However they fall, each game comes with one lights.wav, and after the last game
// the menu still opens its rules screen and starts a game.
TEST(NewGame, RandomClicksAroundTheLoadStartOneGameEachAndNeverDeadenTheMenu) {
  for (std::uint64_t seed = 1; seed <= 3000; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937_64 rnd(seed);
    Menu m;
    const auto randomClick = [&] {
      Form* forms[] = {m.intro.form(), m.rules.form(), m.about.form()};
      Form* form = forms[rnd() % 3];
      if (!form) return;
      const char* names[] = {"imgNova", "imgPrav", "imgAbout", "Command1"};
      if (Element* e = form->find(QLatin1String(names[rnd() % 4]))) e->click();
    };
    m.gameLoad = [&] { m.windows.processEvents(); };
    m.windows.onProcessEvents = [&] {
      for (int clicks = static_cast<int>(rnd() % 3); clicks > 0; --clicks) randomClick();
    };
    m.intro.Show();
    int ended = 0;
    for (int n = 0; n < 40; ++n) {
      const std::uint64_t kind = rnd() % 4;
      if (kind == 0) m.clock.advance(static_cast<std::int64_t>(rnd() % 3000));
      if (kind == 1 && m.gamesShown > ended) ++ended, m.intro.Show();
      if (kind >= 2) randomClick();
      // One sound for each game shown, and one more while a game loads.
      ASSERT_GE(m.sound.played.size(), static_cast<std::size_t>(m.gamesShown));
      ASSERT_LE(m.sound.played.size(), static_cast<std::size_t>(m.gamesShown + 1));
      ASSERT_LE(m.gamesShown - ended, 1);
    }
    m.clock.advance(60000);
    if (m.gamesShown > ended) m.intro.Show();
    for (InfoScreen* screen : {&m.rules, &m.about})
      if (screen->isOpen()) screen->Command1_Click();
    m.windows.onProcessEvents = nullptr;
    m.click("imgPrav");
    EXPECT_TRUE(m.windows.isShown(QStringLiteral("frmRules")));
    m.rules.Command1_Click();
    const int games = m.gamesShown;
    m.click("imgNova");
    m.clock.advance(60000);
    EXPECT_EQ(m.gamesShown, games + 1);
  }
}

}  // namespace
}  // namespace kvz
