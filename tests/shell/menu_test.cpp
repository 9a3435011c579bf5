#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <csignal>
#include <functional>

#include "assets/layout_about.h"
#include "assets/layout_intro.h"
#include "assets/layout_rules.h"
#include "fakes/fakes.h"
#include "shell/command_line.h"
#include "shell/display_guard.h"
#include "shell/display_mode.h"
#include "shell/fit_texts.h"
#include "shell/frm_intro.h"
#include "shell/menu_sound.h"
#include "shell/qt/termination_signals.h"
#include "tools/shows_whole.h"

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

// The word itself keeps the display: StartMenuLoad's no_fullscreen.
TEST(CommandLine, OnlyTheExactWordAloneKeepsTheDisplay) {
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
    EXPECT_TRUE(m.boxes.shown.empty());  // the exit button's farewell comes before its quit
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
  EXPECT_EQ(m.windows.showLog.back(), (std::pair<QString, QString>{"frmRules", "frmIntro"}));  // over the menu
}

// A signal is handled on the event loop, never inside the handler; a second one of the
// same kind, and any after the bridge is gone, gets the default action.
TEST(TerminationSignals, EachSignalReachesTheEventLoopOnceAndThenHasItsDefaultAction) {
  std::vector<int> received;
  const auto actionFor = [](int s) { struct sigaction now {}; sigaction(s, nullptr, &now); return now.sa_handler; };
  {
    TerminationSignals bridge([&](int s) { received.push_back(s); });
    ASSERT_TRUE(bridge.installed());
    std::raise(SIGHUP);
    std::raise(SIGINT);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(actionFor(SIGHUP), SIG_DFL);
    EXPECT_NE(actionFor(SIGTERM), SIG_DFL);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, 5000));  // a bound on the wait, not a measurement
  }
  EXPECT_EQ(received, (std::vector<int>{SIGHUP, SIGINT}));
  EXPECT_EQ(actionFor(SIGTERM), SIG_DFL);
}

const GuardOrders kOrders{":7", {1024, 768}, 75, {640, 480}};

std::optional<GuardOrders> parse(std::vector<std::string_view> arguments) { return parseGuardOrders(arguments); }

// The guard process itself (outliving the game, restoring through RandR) is checked only on a
// real X server, by check_display_guard.py.
TEST(DisplayGuard, RestoresOnlyWhenTheGameHasNotAndTheScreenStillShowsTheGamesSize) {
  struct Case { const char* what; GuardOrders orders; ScreenSize now; bool gameRestored; bool expected; } cases[] = {
      {"the game died at 640x480", kOrders, {640, 480}, false, true},
      {"the game said it restored", kOrders, {640, 480}, true, false},
      {"the player chose 800x600 meanwhile", kOrders, {800, 600}, false, false},
      {"the screen cannot be read", kOrders, {}, false, false},
      {"started at the game's size", {":7", {640, 480}, 60, {640, 480}}, {640, 480}, false, false},
  };
  for (const Case& c : cases) EXPECT_EQ(guardRestores(c.orders, c.now, c.gameRestored), c.expected) << c.what;
}

TEST(DisplayGuard, ReadsBackTheOrdersTheGameWrites) {
  for (const GuardOrders& orders : {kOrders, GuardOrders{"localhost:10.0", {1920, 1080}, 0, {640, 480}}}) {
    const std::vector<std::string> written = guardArguments(orders);
    EXPECT_EQ(parse({written.begin(), written.end()}), orders) << orders.display;
  }
}

// A guard started with anything else must touch no display.
TEST(DisplayGuard, RefusesMalformedOrders) {
  const std::vector<std::vector<std::string_view>> cases = {
      {}, {":7", "1024x768@75"}, {":7", "1024x768@75", "640x480", "extra"}, {"", "1024x768@75", "640x480"},
      {":7", "1024x768", "640x480"}, {":7", "1024x768@", "640x480"}, {":7", "1024x768@-1", "640x480"},
      {":7", "1024x768@75Hz", "640x480"}, {":7", "1024@75", "640x480"}, {":7", "x768@75", "640x480"},
      {":7", "0x768@75", "640x480"}, {":7", "1024x768@75", "640x0"}, {":7", "1024x768@75", "640x480x3"},
      {":7", "1024x768@75", "-640x480"}, {":7", "1024x768@75", " 640x480"}, {":7", "99999x768@75", "640x480"},
      {":7", "1024x768@75", "640x99999999999999999999"},
  };
  for (const auto& arguments : cases) EXPECT_EQ(parse(arguments), std::nullopt) << ::testing::PrintToString(arguments);
}

// A 12-point text (one line about 276 twips high) of a given width in characters of 150
// twips, laid out alone in the window: its place and whether it wraps afterwards.
struct FitCase { const char* what; Rect place; QString caption; Align align; Rect fitted; bool wraps; };

TEST(FitTexts, TooWideTextsGrowInsideTheWindowAndWrapOnlyWhereTheyHaveRoom) {
  const QString ten = QStringLiteral("0123456789");  // 1500 twips, 1530 with the last letter's ink
  const QString x65(65, QLatin1Char('x')), x200(200, QLatin1Char('x'));
  for (const FitCase& c : std::vector<FitCase>{
           {"one line grows right", {600, 100, 1200, 270}, ten, Align::Left, {600, 100, 1530, 270}, false},
           {"centred grows both ways", {4000, 0, 1000, 360}, ten, Align::Center, {3735, 0, 1530, 360}, false},
           {"kept inside at the edge", {9000, 0, 500, 360}, ten, Align::Left, {9600 - 1530, 0, 1530, 360}, false},
           {"wider than the window", {100, 0, 500, 360}, x200, Align::Center, {0, 0, 9600, 360}, false},
           {"room for two lines: wraps", {0, 0, 1200, 615}, ten + u' ' + ten, Align::Left, {0, 0, 1200, 615}, true},
           {"only a little too wide: grows", {0, 1000, 1500, 615}, ten, Align::Left, {0, 1000, 1530, 615}, false},
           {"growing would leave the window: wraps", {0, 2000, 9000, 615}, x65, Align::Left, {0, 2000, 9000, 615}, true},
           {"fits: one line", {0, 0, 3000, 615}, QStringLiteral("short"), Align::Left, {0, 0, 3000, 615}, false},
           {"empty: left alone", {0, 0, 10, 270}, QString(), Align::Left, {0, 0, 10, 270}, true},
       }) {
    Form f(QStringLiteral("f"), QStringLiteral("f"));
    Element& e = f.add(ElementKind::Text, QStringLiteral("t"), c.place);
    e.look().font.points = 12;
    e.look().wordWrap = true;
    e.look().align = c.align;
    e.setCaption(c.caption);
    fitTexts(f, fakes::FixedTextMeasure(150));
    EXPECT_EQ(e.geometry(), c.fitted) << c.what;
    EXPECT_EQ(e.look().wordWrap, c.wraps) << c.what;
  }
}

// With the game's real faces every text of the three screens shows whole as the window
// draws it, and a text that was widened stays inside the window.
TEST(FitTexts, EveryScreenTextShowsWholeInTheGamesFonts) {
  for (const auto& form : {makeFrmIntro(), makeFrmRules(), makeFrmAbout()}) {
    std::vector<Rect> before;
    for (const auto& e : form->elements()) before.push_back(e->geometry());
    fitTexts(*form, QtTextMeasure());
    for (std::size_t i = 0; i < before.size(); ++i) {
      const Element& e = *form->elements()[i];
      if (e.kind() != ElementKind::Text) continue;
      SCOPED_TRACE(form->name().toStdString() + "." + e.name().toStdString());
      EXPECT_TRUE(showsWhole(e));
      if (e.geometry() == before[i]) continue;
      EXPECT_GE(e.geometry().left, 0);
      EXPECT_LE(e.geometry().right(), form->widthTwips());
    }
  }
}

}  // namespace
}  // namespace kvz
