#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

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
  ScreenSize size{1024, 768};
  std::vector<ScreenSize> modes{{1024, 768}, {800, 600}, {640, 480}};
  std::vector<ScreenSize> switches;
  bool refuse = false;
  bool broken = false;  // cannot be measured and every call fails, as a display gone away
  int monitors = 1;
  std::function<void()> onSwitch;

  int activeMonitors() const override { return monitors; }
  ScreenSize current() const override { return broken ? ScreenSize{} : size; }
  bool offers(int w, int h) const override {
    if (broken) throw std::runtime_error("display gone");
    return std::find(modes.begin(), modes.end(), ScreenSize{w, h}) != modes.end();
  }
  bool switchTo(int w, int h) override {
    switches.push_back({w, h});
    if (onSwitch) onSwitch();
    if (!refuse) size = {w, h};
    return !refuse;
  }
};

// The menu sound: records what it was asked to play and tells a set length.
struct FakeMenuSound final : MenuSound {
  int lengthMs = 2500;
  std::vector<QString> played;
  int play(const QString& path) override {
    played.push_back(path);
    return lengthMs;
  }
};

// The start menu with its two screens and a stand-in for the game window.
struct Menu {
  explicit Menu(QString commandLine = {})
      : intro({clock, windows, boxes, display, sound, paths, measure}, std::move(commandLine), rules, about,
              {level, [this] { ++gamesShown; }}) {}

  Element& el(const char* name) const { return (*intro.form())[QString::fromLatin1(name)]; }
  void click(const char* name) const { el(name).click(); }
  bool menuShown() const { return windows.isShown(QStringLiteral("frmIntro")); }
  // Runs a whole new game up to the open game window, then comes back as a game's end does.
  void playOneGame() {
    click("imgNova");
    clock.advance(sound.lengthMs);
    level = 5;
    intro.Show();
  }

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
  FrmIntro intro;
};

TEST(CommandLine, OnlyTheExactWordAloneKeepsTheDisplay) {
  EXPECT_TRUE(isNoFullscreen(commandLineText({"no_fullscreen"})));
  for (const QStringList& words : std::vector<QStringList>{{}, {"NO_FULLSCREEN"}, {"No_fullscreen"}, {"no_fullscreen", "x"},
                                                           {"-v", "no_fullscreen"}, {"no_fullscreen", ""},
                                                           {" no_fullscreen"}, {"no_fullscreen2"}})
    EXPECT_FALSE(isNoFullscreen(commandLineText(words))) << words.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(commandLineText({"a", "b c"}), QStringLiteral("a b c"));
}

// How the game takes the screen: whether it switches, what it restores at the exit, and the
// factor its full-screen windows then draw the scene at on the game's monitor.
struct ScreenCase {
  const char* name;
  const char* commandLine;
  ScreenSize start;
  std::vector<ScreenSize> modes;
  bool refuse;
  int monitors;
  bool broken;
  ScreenSize measured;               // sirka and vyska
  std::vector<ScreenSize> switches;  // at start and at the exit button, in order
  int scale;                         // 0: a window of the form's size
};

TEST(StartMenuLoad, TheDisplayIsSwitchedOnlyWhereThatIsSafeAndTheSceneScalesElsewhere) {
  const std::vector<ScreenSize> all{{1920, 1080}, {1024, 768}, {640, 480}};
  const std::vector<ScreenCase> cases{
      {"RandR with the mode", "", {1024, 768}, all, false, 1, false, {1024, 768}, {{640, 480}, {1024, 768}}, 1},
      {"the word in capitals", "NO_FULLSCREEN", {1024, 768}, all, false, 1, false, {1024, 768}, {{640, 480}, {1024, 768}}, 1},
      {"the word and more", "no_fullscreen x", {1024, 768}, all, false, 1, false, {1024, 768}, {{640, 480}, {1024, 768}}, 1},
      {"no RandR (Wayland)", "", {1920, 1080}, {}, false, 1, false, {1920, 1080}, {}, 2},
      {"no 640x480 mode", "", {3840, 2160}, {{3840, 2160}}, false, 1, false, {3840, 2160}, {{3840, 2160}}, 4},
      {"switch refused", "", {1920, 1080}, all, true, 1, false, {1920, 1080}, {{640, 480}, {1920, 1080}}, 2},
      {"two monitors", "", {1920, 1080}, all, false, 2, false, {}, {}, 2},
      {"no_fullscreen", "no_fullscreen", {1920, 1080}, all, false, 1, false, {}, {}, 0},
      {"a display gone away: no message", "", {1024, 768}, all, false, 1, true, {}, {}, 1},
      {"a width beyond 16 bits", "", {40000, 768}, all, false, 1, false, {32767, 768}, {{640, 480}}, 1},
  };
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.name);
    Menu m(QString::fromLatin1(c.commandLine));
    m.display.size = c.start;
    m.display.modes = c.modes;
    m.display.refuse = c.refuse;
    m.display.monitors = c.monitors;
    m.display.broken = c.broken;
    m.intro.Show();
    EXPECT_TRUE(m.menuShown());
    EXPECT_TRUE(m.intro.Spusteno);
    EXPECT_EQ(m.level, 0);
    EXPECT_EQ(m.windows.moves, (std::vector{std::make_tuple(QStringLiteral("frmIntro"), 0, 0)}));
    EXPECT_EQ(m.intro.sirka, c.measured.width);
    EXPECT_EQ(m.intro.vyska, c.measured.height);
    const bool fullScreen = !isNoFullscreen(QString::fromLatin1(c.commandLine));
    EXPECT_EQ(fullScreen ? sceneScaleFor(m.display.current().width, m.display.current().height) : 0, c.scale);
    m.click("imgKonec");
    EXPECT_EQ(m.display.switches, c.switches);
  }
}

TEST(DisplayRestore, BringsBackTheRateFoundAtStartAndOtherwiseTheNearestToTheCurrent) {
  struct Case {
    ScreenSize target;
    int currentRate;
    std::vector<int> offered;
    int expected;
  };
  const ScreenSize start{1024, 768};
  const int startRate = 75;
  for (const Case& c : std::vector<Case>{
           {{1024, 768}, 60, {60, 70, 75}, 75},  // the restore: the start's rate, not the current one
           {{1024, 768}, 60, {60, 70}, 60},      // that rate is gone: the nearest
           {{640, 480}, 75, {60, 72, 85}, 72},   // the switch: the nearest to the current
           {{640, 480}, 75, {}, 0},              // no rates listed
       })
    EXPECT_EQ(rateFor(c.target, start, startRate, c.currentRate, c.offered), c.expected)
        << c.target.width << " at " << c.currentRate;
}

TEST(NewGame, TheLabelIsPaintedThenTheGameOpensWhenTheSoundHasEndedAndTheMenuGoes) {
  Menu m;
  m.intro.Show();
  Form* menu = m.intro.form();
  bool labelVisibleWhilePainting = false;
  m.windows.onProcessEvents = [&] { labelVisibleWhilePainting = m.el("lblLoading").visible() && m.el("shpLoading").visible(); };
  m.click("imgNova");
  EXPECT_TRUE(labelVisibleWhilePainting);
  EXPECT_EQ(m.sound.played, std::vector{QStringLiteral("/opt/kvizarion/snd/lights.wav")});
  m.windows.onProcessEvents = nullptr;
  m.clock.advance(m.sound.lengthMs - 1);
  EXPECT_EQ(m.gamesShown, 0);
  EXPECT_TRUE(m.menuShown());
  EXPECT_TRUE(m.intro.Nacitani());
  m.clock.advance(1);
  EXPECT_EQ(m.gamesShown, 1);
  EXPECT_FALSE(m.menuShown());
  EXPECT_EQ(m.intro.form(), nullptr);
  EXPECT_FALSE(m.intro.Nacitani());
  // The unloaded menu is kept alive by the window system until its handler has returned.
  EXPECT_FALSE((*menu)[QStringLiteral("lblLoading")].visible());
  m.clock.advance(60000);
  EXPECT_EQ(m.gamesShown, 1);
}

TEST(NewGame, TheMenuSwallowsEveryClickWhileTheSoundPlaysQueuedOrNot) {
  Menu m;
  m.intro.Show();
  m.windows.onProcessEvents = [&] {
    if (m.intro.form()) m.click("imgNova");
  };
  m.click("imgNova");
  for (const char* button : {"imgNova", "imgPrav", "imgAbout", "imgKonec"}) m.click(button);
  EXPECT_EQ(m.sound.played.size(), 1u);
  EXPECT_FALSE(m.rules.isOpen());
  EXPECT_FALSE(m.about.isOpen());
  EXPECT_TRUE(m.boxes.shown.empty());
  EXPECT_FALSE(m.windows.quitCalled);
  m.clock.advance(m.sound.lengthMs);
  EXPECT_EQ(m.gamesShown, 1);
}

TEST(NewGame, TheWaitIsBoundedWhateverTheSoundSays) {
  // Nothing to hear: the game opens at once; an absurd length is cut to the limit.
  for (const auto& [length, wait] : {std::pair{0, 0}, {-40, 0}, {2'000'000'000, kMenuSoundLimitMs}}) {
    Menu m;
    m.sound.lengthMs = length;
    m.intro.Show();
    m.click("imgNova");
    if (wait > 0) {
      m.clock.advance(wait - 1);
      EXPECT_EQ(m.gamesShown, 0) << length;
      m.clock.advance(1);
    }
    EXPECT_EQ(m.gamesShown, 1) << length;
    EXPECT_FALSE(m.menuShown()) << length;
  }
}

TEST(InformationScreens, RulesAndAboutOpenModalBlockTheMenuAndCloseByOkOrTheWindowManager) {
  for (const char* button : {"imgPrav", "imgAbout"}) {
    Menu m;
    m.intro.Show();
    m.click(button);
    const bool rules = QLatin1String(button) == QLatin1String("imgPrav");
    InfoScreen& screen = rules ? m.rules : m.about;
    InfoScreen& other = rules ? m.about : m.rules;
    ASSERT_TRUE(screen.isOpen());
    EXPECT_EQ(m.windows.modalOwnerOf(screen.form()->name()), QStringLiteral("frmIntro"));

    m.click("imgNova");
    m.click("imgKonec");
    m.click(rules ? "imgAbout" : "imgPrav");
    EXPECT_TRUE(m.sound.played.empty()) << button;
    EXPECT_TRUE(m.boxes.shown.empty()) << button;
    EXPECT_FALSE(other.isOpen()) << button;

    if (rules)
      (*screen.form())[QStringLiteral("Command1")].click();
    else
      screen.form()->onCloseRequest();
    EXPECT_FALSE(screen.isOpen());
    EXPECT_FALSE(m.windows.quitCalled);
    m.click("imgNova");
    EXPECT_EQ(m.sound.played.size(), 1u) << button;
  }
}

TEST(Farewell, AfterGamesTheBoxThenTheRestoreThenPendingEventsThenTheEnd) {
  Menu m;
  m.intro.Show();
  for (int game = 0; game < 2; ++game) {
    m.playOneGame();
    EXPECT_EQ(m.level, 0) << "the level is reset at every load";
  }
  // Later loads neither measure nor switch, but do move the menu to the corner.
  EXPECT_EQ(m.gamesShown, 2);
  EXPECT_EQ(m.display.switches.size(), 1u);
  EXPECT_EQ(m.windows.moves.size(), 3u);
  EXPECT_FALSE(m.el("lblLoading").visible() || m.el("shpLoading").visible());
  std::vector<std::string> order;
  const auto quit = [&] { return m.windows.quitCalled ? " after the end" : ""; };
  m.display.onSwitch = [&] { order.push_back("restore after " + std::to_string(m.boxes.shown.size()) + quit()); };
  m.windows.onProcessEvents = [&] { order.push_back(std::string("events") + quit()); };
  m.click("imgKonec");
  EXPECT_EQ(order, (std::vector<std::string>{"restore after 1", "events"}));
  EXPECT_TRUE(m.windows.quitCalled);
  EXPECT_EQ(m.display.switches.back(), (ScreenSize{1024, 768}));
  // Thanks without a web address: no blanks left doubled where one stood.
  const auto& box = m.boxes.shown.at(0);
  EXPECT_EQ(box.icon, MsgIcon::Information);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_EQ(box.title, QStringLiteral("Kvizarion"));
  EXPECT_EQ(box.text.split(QStringLiteral("\r\n")).size(), 6);
  EXPECT_TRUE(box.text.startsWith(QStringLiteral("Děkujeme za hru !!\r\n\r\nNavštivte naše internetové stránky a")));
  EXPECT_FALSE(box.text.contains(QStringLiteral("  ")));
}

// Every way the program ends restores the start's display once (none before it was switched)
// and never opens the game afterwards; only the exit button says goodbye.
TEST(EndOfProgram, EveryEndRestoresTheDisplayOnceAndQuits) {
  using End = void (*)(Menu&);
  const struct {
    const char* name;
    bool loaded;
    End end;
    std::vector<ScreenSize> switches;
    std::size_t boxes;
  } cases[] = {
      {"the exit button", true, [](Menu& m) { m.click("imgKonec"); }, {{640, 480}, {1024, 768}}, 1},
      {"the window manager", true, [](Menu& m) { m.intro.form()->onCloseRequest(); }, {{640, 480}, {1024, 768}}, 0},
      {"a signal, then the window closing", true,
       [](Menu& m) {
         m.intro.UkonciProgram();
         m.intro.UkonciProgram();
         m.intro.VratObrazovku();
       },
       {{640, 480}, {1024, 768}}, 0},
      {"the window manager during the sound", true,
       [](Menu& m) {
         m.click("imgNova");
         m.intro.form()->onCloseRequest();
       },
       {{640, 480}, {1024, 768}}, 0},
      {"a signal before the menu loaded", false, [](Menu& m) { m.intro.UkonciProgram(); }, {}, 0},
  };
  for (const auto& c : cases) {
    Menu m;
    if (c.loaded) m.intro.Show();
    c.end(m);
    m.clock.advance(60000);
    EXPECT_EQ(m.display.switches, c.switches) << c.name;
    EXPECT_EQ(m.boxes.shown.size(), c.boxes) << c.name;
    EXPECT_TRUE(m.windows.quitCalled) << c.name;
    EXPECT_EQ(m.gamesShown, 0) << c.name;
  }
}

}  // namespace
}  // namespace kvz
