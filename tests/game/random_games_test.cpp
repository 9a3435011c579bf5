#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>

#include "fakes/game_harness.h"
#include "game/round.h"

// Whole games of random input on the virtual clock: keys, clicks and double clicks on every
// element at random times, boxes answered at random delays or left open across the end, over
// question folders with bad files. After every event the invariants below must hold. A
// failure prints its seed and events; KVZ_RANDOM_GAME=<seed> replays that one game.
namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::QuestionFields;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kGames = 300;  // the sanitized build is some twenty times slower
#else
constexpr int kGames = 10000;
#endif
constexpr int kEventsBeforeHurry = 300, kMostEvents = 3000;

// One question folder for each kind of fault an author may leave; seed % count picks one.
using Folder = std::vector<std::tuple<int, int, std::function<QByteArray(QuestionFields)>>>;
const auto kGood = [](QuestionFields q) { return fakes::questionBytes(q); };
const auto kShort = [](QuestionFields q) { return fakes::questionBytes(q).left(300); };
const auto kLowerLetter = [](QuestionFields q) { return q.spravna = q.spravna.toLower(), kGood(q); };
const auto kNoLetter = [](QuestionFields q) { return q.spravna = "E", kGood(q); };
const auto kOddShares = [](QuestionFields q) { return q.divaci = {-20, 300, 0, 32767}, kGood(q); };
const auto kLongTexts = [](QuestionFields q) {
  q.zadani = QByteArray(250, 'w');
  q.odp = {QByteArray(50, 'a'), QByteArray(50, ' '), "", QByteArray(50, '\xE8')};
  return kGood(q);
};
const std::vector<Folder> kFolders = {
    {{1, 1, kGood}, {2, 1, kGood}, {3, 1, kGood}, {4, 1, kGood}, {5, 1, kGood}},
    {{1, 1, kGood}, {1, 2, kShort}, {2, 3, kLowerLetter}, {2, 4, kGood}, {3, 1, kOddShares}, {4, 25, kLongTexts},
     {5, 1, kGood}, {5, 26, kGood}},
    {{1, 1, kGood}, {2, 1, kOddShares}, {4, 1, kGood}, {5, 1, kGood}},  // step 3 without files
    {{1, 1, kShort}, {2, 1, kGood}},                                     // no usable first question
    {{1, 1, kNoLetter}, {2, 1, kGood}, {3, 1, kGood}, {4, 1, kGood}, {5, 1, kShort}},
    {{1, 7, kGood}, {2, 7, kGood}, {3, 7, kLongTexts}, {4, 7, kOddShares}, {5, 7, kGood}, {5, 8, kNoLetter}},
};

class RandomGames : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    root = std::make_unique<QTemporaryDir>();
    for (std::size_t i = 0; i < kFolders.size(); ++i) {
      GameHarness writer(std::filesystem::path(root->filePath(QString::number(i)).toStdString()), 0);
      for (const auto& [step, number, bytes] : kFolders[i])
        writer.writeFile(step, number, bytes(GameHarness::stockQuestion(step)));
    }
  }
  static void TearDownTestSuite() { root.reset(); }
  static inline std::unique_ptr<QTemporaryDir> root;
};

// A check of the game after an event: empty when it holds, else what is wrong. Every part of
// the game may add its own row.
struct Invariant {
  const char* name;
  std::function<std::string(const GameHarness&, std::size_t menusBefore)> broken;
};

// The timers of each timed sequence; a locked game runs timers of exactly one of them.
const std::vector<std::set<QString>> kSequences = {
    {"tmrZobrazeniOtazky"}, {"tmrZvuk"}, {"tmrBlik"}, {"tmrCastka"}, {"tmrNDivaci"}, {"tmrNTel1", "tmrNTel2"}};

std::set<QString> runningTimers(const Form& form) {
  std::set<QString> running;
  for (const auto& [name, timer] : form.timers())
    if (timer->running()) running.insert(name);
  return running;
}

const std::vector<Invariant> kInvariants = {
    {"level within 0..5", [](const GameHarness& h, std::size_t) {
       return h.game->HodnotaOtazky >= 0 && h.game->HodnotaOtazky <= 5 ? "" : "level " + std::to_string(h.game->HodnotaOtazky);
     }},
    {"waiting, one sequence, or over", [](const GameHarness& h, std::size_t menusBefore) -> std::string {
       const Form* form = h.game->form();
       if (!form) return h.menuShown.size() == menusBefore + 1 && h.clock.nextDue() == -1 ? "" : "over without the menu or with timers";
       const std::set<QString> running = runningTimers(*form);
       if (!h.game->Zamceno) return running.empty() ? "" : "input open while a sequence runs";
       if (running.empty()) return h.clock.nextDue() >= 0 ? "" : "locked with nothing running";
       for (const auto& sequence : kSequences)
         if (std::includes(sequence.begin(), sequence.end(), running.begin(), running.end())) return "";
       return "timers of two sequences run";
     }},
    {"the amount shown follows the ending", [](const GameHarness& h, std::size_t) -> std::string {
       if (!h.game->form() || !h["imgVyhra"].visible()) return "";
       const FrmMain& g = *h.game;
       const int question = h["imgStupnice"].picture().mid(1).toInt();
       const int expected = g.DuvodKonce == round::kKonecSpatna ? 0 : g.DuvodKonce == round::kKonecEsc ? question - 1 : question;
       return h["imgVyhra"].picture() == QStringLiteral("C0%1").arg(expected) && g.HodnotaOtazky == expected
                  ? ""
                  : "shows " + h["imgVyhra"].picture().toStdString() + " at question " + std::to_string(question);
     }},
    {"the plates and icons agree with the gate", [](const GameHarness& h, std::size_t) {
       return !h.game->form() || !h.gate().startsWith("odd") ? "" : h.gate().toStdString();
     }},
    {"the call ends once", [](const GameHarness& h, std::size_t) {
       const std::vector<QString> effects = h.effects.played();
       return std::count(effects.begin(), effects.end(), QStringLiteral("tel-end.wav")) <= 1 ? "" : "the call ended twice";
     }},
    {"no window unloaded under its box", [](const GameHarness& h, std::size_t) { return h.windows.unloadsUnderOpenBox == 0 ? "" : "unloaded under a box"; }},
    {"silent after the end", [](const GameHarness& h, std::size_t) {
       return h.game->form() || !(h.music.sounding() || h.effects.sounding() || h.video.sounding()) ? "" : "a player sounds";
     }},
    // The lifelines: a spent one stays crossed out, fifty-fifty leaves two answers to pick from,
    // the graph shows only after a poll, the call screen only during a call.
    {"the lifelines' marks agree with their state", [](const GameHarness& h, std::size_t) -> std::string {
       if (!h.game->form() || !h.windows.isShown(QStringLiteral("frmMain"))) return "";  // no question yet
       const FrmMain& g = *h.game;
       for (const auto& [available, icon] : {std::pair{g.N5050, "imgN5050"}, {g.NDivaci, "imgNDiv"}, {g.NTelefon, "imgNTel"}})
         if (h[icon].picture().endsWith('x') == available) return std::string(icon) + " shows " + h[icon].picture().toStdString();
       int shown = 0;
       for (const char* text : {"lblA", "lblB", "lblC", "lblD"}) shown += h[text].visible();
       if (g.Pouzito5050 && !g.Zamceno && shown != 2) return std::to_string(shown) + " answers open after fifty-fifty";
       if (!g.PouzitoDivaci && (h["imgNDivGraf"].visible() || !h["imgLogo"].visible())) return "a graph without a poll";
       const bool calling = h.timer("tmrNTel1").running() && h.timer("tmrNTel1").interval() == 30000;
       const bool screen = h["txtNTelVypis"].visible() || h["WMP3"].geometry().top != -2500;
       return screen == calling ? "" : calling ? "a call without its screen" : "the call screen without a call";
     }},
};

// Plays one whole game from its seed; returns the events and the first broken invariant.
std::pair<std::vector<std::string>, std::string> playRandomGame(std::uint64_t seed, const std::filesystem::path& folder) {
  std::mt19937_64 rnd(seed);
  const auto pick = [&rnd](std::size_t n) { return static_cast<std::size_t>(rnd() % n); };
  GameHarness h(folder, seed);
  std::vector<std::string> events;
  const auto log = [&](const std::string& what) { events.push_back("t=" + std::to_string(h.now()) + " " + what); };
  const std::size_t menusBefore = h.menuShown.size();
  // Clicks and double clicks also come while a handler of the shown window lets pending events
  // run (the pick-up of the call), with the box they open answered as the next event's would be.
  h.windows.onProcessEvents = [&] {
    if (!h.game->form() || !h.windows.isShown(h.form()) || pick(3) != 0) return;
    const auto& elements = h.form().elements();
    Element& e = *elements[pick(elements.size())];
    const bool dbl = pick(2) == 0;
    log((dbl ? "events run: double click " : "events run: click ") + e.name().toStdString());
    dbl ? e.doubleClick() : e.click();
  };
  h.game->Show();
  for (int n = 0; n < kMostEvents; ++n) {
    for (const Invariant& inv : kInvariants)
      if (std::string what = inv.broken(h, menusBefore); !what.empty()) return {events, inv.name + (": " + what)};
    if (!h.game->form()) return {events, ""};
    // The box an event may open: its answer and how long it stays open (60 s: over the end).
    const std::int64_t delays[] = {0, 0, 100, 2000, 60000};
    const MsgResult answers[] = {MsgResult::Yes, MsgResult::No, MsgResult::Ok};
    h.boxes.answers = {answers[pick(3)]};
    h.boxes.delays = {delays[pick(5)]};
    // The box answer as its number: 0 OK, 1 Yes, 2 No.
    const std::string box = " (box " + std::to_string(static_cast<int>(h.boxes.answers[0])) + " after " +
                            std::to_string(h.boxes.delays[0]) + " ms)";
    const bool hurry = n > kEventsBeforeHurry;  // a player who never acts would wait forever
    const std::size_t kind = hurry ? 1 : pick(10);
    if (kind < 3) {
      const std::int64_t waits[] = {1, 50, 350, 1000, 2000, 5000, 15000};
      const std::int64_t ms = waits[pick(7)];
      log("wait " + std::to_string(ms));
      h.clock.advance(ms);
    } else if (kind < 6 || hurry) {
      const int keys[] = {vk::A, vk::B, vk::C, vk::D, vk::F5, vk::F6, vk::F7, vk::F10, vk::Escape, 13, 32, 'E', 112};
      const int key = hurry ? vk::A + static_cast<int>(pick(4)) : (pick(4) == 0 ? static_cast<int>(pick(300)) : keys[pick(13)]);
      const int shift = static_cast<int>(pick(2));
      log("key " + std::to_string(key) + " shift " + std::to_string(shift) + box);
      h.form().keyUp(key, shift);
      if (hurry) h.clock.advance(1000);
    } else {
      const auto& elements = h.form().elements();
      Element& e = *elements[pick(elements.size())];
      const bool dbl = pick(3) == 0;
      log((dbl ? "double click " : "click ") + e.name().toStdString() + box);
      dbl ? e.doubleClick() : e.click();
    }
  }
  return {events, "the game never ends"};
}

TEST_F(RandomGames, EveryGameEndsWithTheMenuBackAndNoInvariantBroken) {
  std::uint64_t first = 1, count = kGames;
  if (const char* only = std::getenv("KVZ_RANDOM_GAME")) first = std::strtoull(only, nullptr, 10), count = 1;
  int over = 0;
  for (std::uint64_t seed = first; seed < first + count; ++seed) {
    const auto [events, broken] = playRandomGame(seed, root->filePath(QString::number(seed % kFolders.size())).toStdString());
    if (broken.empty() && ++over) continue;
    std::string trace;
    for (const std::string& e : events) trace += "  " + e + "\n";
    FAIL() << "seed " << seed << ": " << broken << " (replay: KVZ_RANDOM_GAME=" << seed
           << " test_game --gtest_filter=RandomGames.*)\n" << trace;
  }
  EXPECT_EQ(over, static_cast<int>(count));
}

}  // namespace
}  // namespace kvz
