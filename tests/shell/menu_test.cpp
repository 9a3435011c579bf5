#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "assets/layout_about.h"
#include "assets/layout_rules.h"
#include "fakes/fakes.h"
#include "shell/command_line.h"
#include "shell/display_mode.h"
#include "shell/frm_intro.h"
#include "shell/menu_sound.h"

namespace kvz {
namespace {

// A display with a list of modes that records every switch. The X11 display's own listing,
// switch and rate are checked only on a real X server, by check_display_mode.py.
struct FakeDisplay final : DisplayMode {
  struct State {
    ScreenSize size{1024, 768};
    std::vector<ScreenSize> modes{{1024, 768}, {800, 600}, {640, 480}};
    bool refuse = false;
    int monitors = 1;
  } s;
  std::vector<ScreenSize> switches;
  std::function<void()> onSwitch;

  int activeMonitors() const override { return s.monitors; }
  ScreenSize current() const override { return s.size; }
  bool offers(int w, int h) const override { return std::find(s.modes.begin(), s.modes.end(), ScreenSize{w, h}) != s.modes.end(); }
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
  int play(const QString& path) override { played.push_back(path); return lengthMs; }
};

// The start menu with its two screens and a stand-in for the game window.
struct Menu {
  explicit Menu(QString commandLine = {})
      : intro({clock, windows, boxes, display, sound, paths, measure}, std::move(commandLine), rules, about,
              {level, [this] { showGame(); }}) {}

  Element& el(const char* name) const { return (*intro.form())[QString::fromLatin1(name)]; }
  void click(const char* name) const { el(name).click(); }
  void showGame() { ++gamesShown; if (gameLoad) gameLoad(); }

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

// How the game takes the screen: whether it switches and what it restores at the exit; the
// menu goes to the top-left corner and the game's level back to 0 in every case.
// display: size, modes, refuse, monitors; measured: sirka and vyska; switches: at start and
// at the exit button, in order.
struct ScreenCase { const char *name, *commandLine; FakeDisplay::State display; ScreenSize measured; std::vector<ScreenSize> switches; };

TEST(StartMenuLoad, TheDisplayIsSwitchedOnlyWhereThatIsSafe) {
  const std::vector<ScreenSize> all{{1920, 1080}, {1024, 768}, {640, 480}};
  const std::vector<ScreenCase> cases{
      {"RandR with the mode", "", {{1024, 768}, all, false, 1}, {1024, 768}, {{640, 480}, {1024, 768}}},
      {"no RandR (Wayland)", "", {{1920, 1080}, {}, false, 1}, {1920, 1080}, {}},
      {"no 640x480 mode", "", {{3840, 2160}, {{3840, 2160}}, false, 1}, {3840, 2160}, {{3840, 2160}}},
      {"switch refused", "", {{1920, 1080}, all, true, 1}, {1920, 1080}, {{640, 480}, {1920, 1080}}},
      {"two monitors", "", {{1920, 1080}, all, false, 2}, {}, {}},
      {"no_fullscreen", "no_fullscreen", {{1920, 1080}, all, false, 1}, {}, {}},
      {"a width beyond 16 bits", "", {{40000, 768}, all, false, 1}, {32767, 768}, {{640, 480}}},
  };
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.name);
    Menu m(QString::fromLatin1(c.commandLine));
    m.display.s = c.display;
    m.intro.Show();
    EXPECT_TRUE(m.windows.isShown(QStringLiteral("frmIntro")));
    EXPECT_EQ((ScreenSize{m.intro.sirka, m.intro.vyska}), c.measured);
    EXPECT_EQ(m.windows.moves, (std::vector<std::tuple<QString, int, int>>{{QStringLiteral("frmIntro"), 0, 0}}));
    EXPECT_EQ(m.level, 0);
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
// there is nothing to hear, at the limit when the length is absurd); the menu goes. The menu
// swallows every click until it has gone: one queued during the painting, those while the sound
// plays, and those inside the game window's load, which lets pending events run while the menu
// is still loaded. After the game the menu takes clicks again.
TEST(NewGame, TheGameOpensWhenTheSoundHasEndedAndTheMenuSwallowsClicksUntilItHasGone) {
  for (const auto& [length, wait] : {std::pair{2500, 2500}, {-40, 0}, {2'000'000'000, kMenuSoundLimitMs}}) {
    SCOPED_TRACE(length);
    Menu m;
    m.sound.lengthMs = length;
    m.intro.Show();
    Form* menu = m.intro.form();
    const auto clickEveryButton = [&m] {
      for (const char* button : {"imgNova", "imgPrav", "imgAbout", "imgKonec"}) m.click(button);
    };
    m.gameLoad = clickEveryButton;
    std::vector<bool> painted;  // the label and its frame, when the events run
    m.windows.onProcessEvents = [&] {
      painted = {m.el("lblLoading").visible(), m.el("shpLoading").visible()};
      m.click("imgNova");
    };
    m.click("imgNova");
    EXPECT_EQ(painted, (std::vector{true, true}));
    m.windows.onProcessEvents = nullptr;
    if (wait > 0) {
      clickEveryButton();
      m.clock.advance(wait - 1);
      EXPECT_EQ(m.gamesShown, 0);
      m.clock.advance(1);
    }
    EXPECT_FALSE(m.rules.isOpen());
    EXPECT_FALSE(m.about.isOpen());
    EXPECT_FALSE(m.windows.quitCalled);
    EXPECT_TRUE(m.boxes.shown.empty());
    EXPECT_EQ(m.sound.played, std::vector{QStringLiteral("/opt/kvizarion/snd/lights.wav")});
    EXPECT_EQ(m.gamesShown, 1);
    EXPECT_FALSE(m.windows.isShown(QStringLiteral("frmIntro")));
    // The unloaded menu is kept alive by the window system until its handler has returned.
    EXPECT_FALSE((*menu)[QStringLiteral("lblLoading")].visible());
    m.clock.advance(60000);
    EXPECT_EQ(m.gamesShown, 1);
    m.intro.Show();
    m.click("imgPrav");
    EXPECT_TRUE(m.rules.isOpen());
  }
}

// Every way the program ends restores the start's display once (none before it was switched)
// and never opens the game afterwards; only the exit button says goodbye. The restore comes
// after the goodbye box and before the pending events run. Which size it restores is the
// display table's (StartMenuLoad): every way ends through the one restore.
// order: the restores (with the boxes shown by then) and the event runs, as they came.
TEST(EndOfProgram, EveryEndRestoresTheDisplayOnceInOrderAndQuits) {
  const struct { const char* name; bool loaded; void (*end)(Menu&); std::size_t boxes; const char* order; } cases[] = {
      {"the exit button", true, [](Menu& m) { m.click("imgKonec"); }, 1, "restore after 1; events; "},
      {"the window manager", true, [](Menu& m) { m.intro.form()->onCloseRequest(); }, 0, "restore after 0; events; "},
      {"a signal, then the window closing", true,
       [](Menu& m) { m.intro.UkonciProgram(); m.intro.UkonciProgram(); m.intro.VratObrazovku(); }, 0,
       "restore after 0; events; events after the end; "},
      {"the window manager during the sound", true,
       [](Menu& m) { m.click("imgNova"); m.intro.form()->onCloseRequest(); }, 0, "events; restore after 0; events; "},
      {"a signal before the menu loaded", false, [](Menu& m) { m.intro.UkonciProgram(); }, 0, "events; "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Menu m;
    if (c.loaded) m.intro.Show();
    std::string order;
    const auto quit = [&] { return m.windows.quitCalled ? " after the end; " : "; "; };
    m.display.onSwitch = [&] { order += "restore after " + std::to_string(m.boxes.shown.size()) + quit(); };
    m.windows.onProcessEvents = [&] { order += std::string("events") + quit(); };
    c.end(m);
    m.clock.advance(60000);
    EXPECT_EQ(m.boxes.shown.size(), c.boxes);
    EXPECT_EQ(order, c.order);
    EXPECT_TRUE(m.windows.quitCalled);
    EXPECT_EQ(m.gamesShown, 0);
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

}  // namespace
}  // namespace kvz
