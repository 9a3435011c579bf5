#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <functional>

#include "assets/layout_main.h"
#include "assets/picture_texts.h"
#include "assets/qt/pictures.h"
#include "fakes/game_harness.h"
#include "game/round.h"
#include "game/spoken.h"
#include "platform/scene_scale.h"

// The game window: as laid out (inside the window, upper elements drawn over lower ones, every
// bitmap the size of the elements that show it), one exact timeline per sequence of the game,
// its endings, its input and its bad questions, and what a screen reader is told.
namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;
using Act = std::function<void(GameHarness&)>;
using Heard = std::vector<std::pair<std::int64_t, QString>>;
using namespace round;

class GameLayout : public ::testing::Test {
protected:
  int depth(const char* name) const {
    const auto& all = form->elements();
    return static_cast<int>(std::ranges::find(all, QLatin1String(name), [](const auto& e) { return e->name(); }) - all.begin());
  }
  VirtualClock clock;
  const std::unique_ptr<Form> form = makeFrmMain(clock);
};

// The two lower panels reach one pixel below the window, which clips them.
TEST_F(GameLayout, EveryElementLiesInsideTheWindow) {
  for (const auto& e : form->elements()) {
    const Rect& r = e->geometry();
    const bool lowerPanel = e->name() == "Shape1" || e->name() == "txtNTelVypis";
    const std::string name = e->name().toStdString();
    EXPECT_GE(r.left, 0) << name;
    EXPECT_GE(r.top, 0) << name;
    EXPECT_LE(r.right(), kSceneWidth * kTwipsPerPixel) << name;
    EXPECT_LE(r.bottom(), (kSceneHeight + (lowerPanel ? 1 : 0)) * kTwipsPerPixel) << name;
  }
}

// Where two elements overlap (the phone's square and video once moved onto the logo), the
// upper one is drawn above: the winnings plate over its black backdrop over the plates and
// texts, every text over its plate, the bars and percentages over the graph over the logo.
TEST_F(GameLayout, OverlappingElementsAreDrawnUpperOverLower) {
  const std::pair<const char*, const char*> upperLower[] = {
      {"txtNTelVypis", "Shape1"}, {"imgVyhra", "Shape1"}, {"Shape1", "lblZadani"}, {"Shape1", "imgA"},
      {"Shape1", "lblD"},         {"lblZadani", "imgZadani"}, {"lblA", "imgA"},  {"lblD", "imgD"},
      {"WMP3", "imgLogo"},        {"Shape2", "imgLogo"},  {"colNDivA", "imgNDivGraf"}, {"lblNDivD", "imgNDivGraf"},
      {"imgNDivGraf", "imgLogo"}};
  for (const auto& [upper, lower] : upperLower) {
    ASSERT_LT(depth(lower), static_cast<int>(form->elements().size())) << lower;
    EXPECT_LT(depth(upper), depth(lower)) << upper << " over " << lower;
  }
}

// Every bitmap the game puts on a picture element fills it exactly (15 twips to a pixel).
TEST_F(GameLayout, EachBitmapIsTheSizeOfTheElementsThatShowIt) {
  const std::pair<const char*, std::vector<const char*>> shows[] = {
      {"imgA", {"A-M", "A-O", "A-Z"}}, {"imgB", {"B-M", "B-O", "B-Z"}}, {"imgC", {"C-M", "C-O", "C-Z"}},
      {"imgD", {"D-M", "D-O", "D-Z"}}, {"imgZadani", {"ZADANI"}},
      {"imgVyhra", {"C00", "C01", "C02", "C03", "C04", "C05"}},
      {"imgStupnice", {"S01", "S02", "S03", "S04", "S05"}},
      {"imgN5050", {"N-5050", "N-5050x"}}, {"imgNTel", {"N-tel", "N-telx"}}, {"imgNDiv", {"N-div", "N-divx"}},
      {"imgNDivGraf", {"NDIVGRAF"}}};
  for (const auto& [element, bitmaps] : shows) {
    const Rect& r = (*form)[QLatin1String(element)].geometry();
    for (const char* name : bitmaps)
      EXPECT_EQ(picture(QLatin1String(name)).size() * kTwipsPerPixel, QSize(r.width, r.height)) << name;
  }
}

QString shownTexts(const GameHarness& h) {
  QString s;
  for (const char* name : kTexts) s += h[name].visible() ? "1" : "0";
  return s;
}

// The window appears once; the question at once, the answers one per second from the second
// second, each told as it appears (the question once the window listens), the input open with
// the last one; then nothing runs while the player thinks.
TEST(GameReveal, QuestionAtOnceThenAnswersOnePerSecondThenInputOpens) {
  GameHarness h;
  h.game->Show();
  EXPECT_EQ(h.form().takeUnheard(), "Otazka 1");
  Heard heard;
  h.form().onAnnounce = [&](const QString& text) { heard.emplace_back(h.now(), text); };
  EXPECT_EQ(h.windows.showLog.size(), 1u);
  // The music from the first question: Verdict's next question finds it playing, and
  // game/check_e2e_game.py hears bgm.wav's own tone.
  EXPECT_TRUE(h.video.times(Op::Play).empty());
  const std::int64_t s = kRevealStepMs, open = 5 * s;
  const std::pair<std::int64_t, const char*> expected[] = {
      {0, "10000"}, {2 * s - 1, "10000"}, {2 * s, "11000"}, {3 * s - 1, "11000"},
      {3 * s, "11100"}, {4 * s, "11110"}, {open - 1, "11110"}, {open, "11111"}};
  for (const auto& [time, pattern] : expected) {
    h.clock.advanceTo(time);
    EXPECT_EQ(shownTexts(h), pattern) << "at " << time;
    EXPECT_EQ(h.gate(), time < open ? "locked" : "open") << "at " << time;
    if (time < open) h.form().keyUp(vk::F10);  // refused while the question is presented
  }
  EXPECT_EQ(heard, (Heard{{2 * s, "A: 1-A"}, {3 * s, "B: 1-B"}, {4 * s, "C: 1-C"}, {5 * s, "D: 1-D"}}));
  // Open, F10 tells where the question comes from (the one box: the refused ones opened none), the
  // author at the record's full width.
  h.form().keyUp(vk::F10);
  ASSERT_EQ(h.boxes.shown.size(), 1u);
  EXPECT_EQ(h.boxes.shown[0].text, QStringLiteral("hodnota: 01\r\nID: Q01\r\nautor: Jana Novakova") +
                                       QString(17, QLatin1Char(' ')) + QStringLiteral("\r\nkorekce: provedena"));
  EXPECT_EQ(h.boxes.shown[0].title, QStringLiteral("QST infobox"));
  EXPECT_TRUE(h.effects.log.empty());
  EXPECT_EQ(h.clock.nextDue(), -1);
}

// Everything of one pick, at the exact virtual millisecond: the suspense of the level, the
// verdict sound, the plate colours, the winnings, what is told of them and what comes after.
void expectVerdictTimeline(int level, bool right) {
  const std::int64_t d = suspenseMs(level);
  GameHarness h;
  h.playTo(level);
  const std::int64_t t0 = h.now();
  const int rightKey = GameHarness::rightKey(level);
  const int pickKey = right ? rightKey : GameHarness::wrongKey(level);
  const auto colour = [&](int key) { return h.form()[QStringLiteral("img") + QChar(key)].picture().back(); };
  Heard heard;
  h.form().onAnnounce = [&](const QString& text) { heard.emplace_back(h.now(), text); };
  h.form().keyUp(pickKey);
  // The right plate 1 ms before the verdict, at it, and around the two blinks after it.
  QString colours;
  for (const std::int64_t m : {-1, 0, kBlinkMs - 1, kBlinkMs, 2 * kBlinkMs - 1, 2 * kBlinkMs}) {
    h.clock.advanceTo(t0 + d + m);
    colours += colour(rightKey);
  }
  EXPECT_EQ(colours, right ? "OZZOOZ" : "MZZZZZ");
  EXPECT_EQ(colour(pickKey), right ? 'Z' : 'O');
  EXPECT_EQ(h.effects.times(Op::Play).back(), t0 + d);
  EXPECT_EQ(h.effects.played().back(), !right ? "w.wav" : level == 5 ? "pt.wav" : "r.wav");
  EXPECT_EQ(h.music.times(Op::Stop), !right || level == 5 ? std::vector<std::int64_t>{t0 + d} : std::vector<std::int64_t>{});
  // The winnings plate: not a millisecond early, then for exactly its time.
  const std::int64_t winnings = t0 + d + (right ? kRightToWinningsMs : kAfterWrongMs);
  const std::int64_t shownFor = !right ? kWinningsEndMs : level == kPlayedSteps ? kWinningsTopMs : kWinningsGoOnMs;
  for (const auto& [time, shown] : {std::pair{winnings - 1, false}, {winnings, true}, {winnings + shownFor - 1, true}}) {
    h.clock.advanceTo(time);
    for (const char* plate : {"imgVyhra", "Shape1"}) EXPECT_EQ(h[plate].visible(), shown) << plate << " at " << time;
    for (const char* text : {"lblZadani", "lblA"}) EXPECT_NE(h[text].visible(), shown) << text << " at " << time;
  }
  EXPECT_EQ(h["imgVyhra"].picture(), levelBitmap('C', right ? level : 0));  // the level kept, or 0 after a wrong pick
  const auto answer = [level](int key) { return QStringLiteral("%1: %2-%1").arg(QChar(key)).arg(level); };
  EXPECT_EQ(heard, (Heard{{t0, "Volíte " + answer(pickKey)},
                          {t0 + d, right ? QStringLiteral("Správně!") : "Špatně. Správná odpověď je " + answer(rightKey)},
                          {winnings, "Výhra " + pictureText(h["imgVyhra"].picture()) + (right && level < kPlayedSteps ? "" : ". Konec hry.")}}));
  h.clock.advanceTo(winnings + shownFor);
  if (right && level < 5) {
    EXPECT_EQ(h["imgStupnice"].picture() + h["lblZadani"].caption(), QStringLiteral("S0%1Otazka %1").arg(level + 1));
    EXPECT_TRUE(h.menuShown.empty());
    EXPECT_FALSE(h["imgVyhra"].visible());
    EXPECT_TRUE(h.music.sounding());
  }  // the ends of a wrong answer and of the top prize, to the millisecond: Ending.ABoxHeldOpen…
}

TEST(Verdict, EveryLevelFollowsItsDelaysSoundsAndColoursToTheMillisecond) {
  for (int level = 1; level <= 5; ++level)
    for (bool right : {true, false}) {
      SCOPED_TRACE(testing::Message() << "level " << level << (right ? " right" : " wrong"));
      expectVerdictTimeline(level, right);
    }
}

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

// At question 5 the kept amount is that of question 4, shown and told as an ending, not as a win.
TEST(Ending, EscConfirmedKeepsTheLastRightAmountForThreeSecondsWithEverythingLocked) {
  for (int level : {1, 3, 5}) {
    GameHarness h;
    h.playTo(level);
    const std::int64_t t = h.now();
    h.boxes.answers = {MsgResult::Yes, MsgResult::Yes};
    QStringList said;
    h.form().onAnnounce = [&](const QString& text) { said << text; };
    h.form().keyUp(vk::Escape);
    // The amount told is that of the plate shown, of the level kept.
    EXPECT_EQ(said, QStringList{"Výhra " + pictureText(levelBitmap('C', level - 1)) + ". Konec hry."});
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h.music.times(Op::Stop), std::vector<std::int64_t>{t});
    // A second Esc, F10, a pick or the uncovered strip of plates C and D: all refused.
    h.clock.advance(1000);
    for (const char* name : {"imgC", "imgD", "lblC", "lblD", "imgN5050"}) h[name].click();
    for (int key : {vk::Escape, vk::F10, vk::C, vk::F5}) h.form().keyUp(key);
    EXPECT_EQ(h.gate(), "locked");
    EXPECT_EQ(h["imgC"].picture(), "C-M");
    EXPECT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.effects.played().size(), static_cast<std::size_t>(level - 1));  // no verdict sound
    // The end, to the millisecond, is the confirmed Esc of Ending.ABoxHeldOpen….
  }
}

// The logo's information box answers during every sequence, so a player can leave it open
// while the game ends: the game ends on time, the box closes, the menu comes back, and the
// next game starts clean. Each ending from a revealed question, its end from now.
TEST(Ending, ABoxHeldOpenOverTheEndClosesWithTheGameOnTime) {
  const std::tuple<const char*, int, Act, std::int64_t> ends[] = {
      {"wrong answer", 1, [](GameHarness& h) { h.form().keyUp(GameHarness::wrongKey(1)); }, suspenseMs(1) + kWrongToMenuMs},
      {"top prize", 5, [](GameHarness& h) { h.form().keyUp(GameHarness::rightKey(5)); }, suspenseMs(5) + kTopToMenuMs},
      {"confirmed Esc", 2, [](GameHarness& h) { h.boxes.answers = {MsgResult::Yes, MsgResult::Ok}; h.form().keyUp(vk::Escape); }, kWinningsEndMs},
      {"no next question", 1, [](GameHarness& h) { h.removeQuestions(); h.form().keyUp(GameHarness::rightKey(1)); },
       suspenseMs(1) + kRightToNextQuestionMs + kReturnMs}};
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
    EXPECT_TRUE(h.game->N5050);
    EXPECT_TRUE(h.game->NDivaci);
    EXPECT_TRUE(h.game->DuvodKonce.isEmpty());
    EXPECT_EQ(h.gate(), "open");
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

// Plate, text and key of either case pick the same answer once; a hidden answer and keys that
// are not the game's take nothing.
TEST(InputGate, EachWayPicksOnceAndOtherKeysAndHiddenAnswersTakeNothing) {
  const std::pair<Act, const char*> ways[] = {
      {[](GameHarness& h) { h["imgC"].click(); }, "C"}, {[](GameHarness& h) { h["lblC"].click(); }, "C"},
      {[](GameHarness& h) { h.form().keyUp(vk::C); }, "C"}, {[](GameHarness& h) { h.form().keyUp(vk::C, 1); }, "C"},
      {[](GameHarness& h) {
         h["lblA"].setVisible(false);  // as fifty-fifty leaves it
         h["imgA"].setEnabled(false);
         h["imgA"].click();
         for (int key : {vk::A, int{'E'}, int{'a'}, 13, 32, 112, 120, 122, 0, -1, 65535}) h.form().keyUp(key, 1);
       }, ""}};
  for (const auto& [pick, picked] : ways) {
    GameHarness h;
    h.playTo(1);
    pick(h);
    if (*picked) h.form().keyUp(vk::A);  // the first pick stands
    EXPECT_EQ(h.game->ZvolenaOdpoved, picked);  // a pick that did not lock would take the A after it
    EXPECT_EQ(h.clock.nextDue(), *picked ? h.now() + suspenseMs(1) : -1);
    EXPECT_TRUE(h.boxes.shown.empty());
  }
}

// A right letter that names no answer: the pick is wrong, no plate turns green, the game ends.
// Each letter is picked with another key, so every key meets one such question.
TEST(BadQuestion, NoCapitalLetterMakesEveryPickWrong) {
  const std::pair<const char*, int> picks[] = {{"b", vk::B}, {"?", vk::A}, {" ", vk::C}, {"E", vk::D}, {"\x01", vk::B}};
  for (const auto& [letter, key] : picks) {
    SCOPED_TRACE(testing::Message() << "letter " << int(letter[0]));
    GameHarness h(0);
    ZaznamOtazky q = GameHarness::stockQuestion(1);
    q.Spravna = QString::fromLatin1(letter);
    h.writeQuestion(1, 1, q);
    h.playTo(1);
    h.form().keyUp(key);
    h.clock.advance(suspenseMs(1));
    EXPECT_EQ(h.effects.played(), std::vector<QString>{"w.wav"});
    for (const Answer& a : kAnswers) EXPECT_NE(h[a.plate].picture(), QLatin1String(a.right));
  }
}

// The orderly way back when a step has no question to ask: the player is told which files
// are missing, nothing of a question stands on screen, and the menu comes back a moment later.
// Which files the bank refuses is QuestionDraw's (bank_test): here the game's way back.
TEST(BadQuestion, NoUsableQuestionTellsThePlayerAndReturnsToTheMenu) {
  const std::tuple<const char*, int, Act> spoils[] = {
      {"no folder", 1, [](GameHarness& h) { h.game->Show(); }},
      {"no third question", 3,
       [](GameHarness& h) {
         for (int step : {1, 2}) h.writeQuestion(step, 1, GameHarness::stockQuestion(step));
         h.playTo(2);
         h.form().keyUp(GameHarness::rightKey(2));
         h.clock.advance(suspenseMs(2) + kRightToNextQuestionMs);
       }}};
  for (const auto& [what, step, play] : spoils) {
    SCOPED_TRACE(what);
    GameHarness h(0);
    play(h);
    const std::int64_t failedAt = h.now();
    EXPECT_EQ(h.windows.showLog.size(), step == 1 ? 0u : 1u);  // the empty game window never appears
    EXPECT_EQ(h["imgStupnice"].picture(), QStringLiteral("S0%1").arg(step));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    const QString text = h.boxes.shown[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("0%1-001.qst až 0%1-025.qst").arg(step))) << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(h.dir.path() + "/qst"))) << text.toStdString();
    for (const char* name : kTexts) EXPECT_EQ(h[name].visible() ? "shown" : h[name].caption(), "") << name;
    EXPECT_EQ(h.gate(), "locked");
    EXPECT_EQ(h.game->Otazka.Spravna + h.game->SouborOtazky, "");
    EXPECT_TRUE(h.menuShown.empty());
    EXPECT_FALSE(h.music.sounding());
    h.clock.advance(kReturnMs);
    expectOverAt(h, failedAt + kReturnMs);
  }
}

// What a screen reader is told: the names of the pictures that show texts and the friend's
// reply. The announcements are checked in the timelines that make them: the reveal, pick,
// verdict, winnings and Esc above, fifty-fifty and the poll in lifelines_test.

TEST(PictureText, NamesAPictureByTheTextItShowsInAnyLetterCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"C00", "0 Kč"}, {"c05", "10 000 Kč"}, {"S01", "1: 1.000 Kč"}, {"S15", "15: 10,000.000 Kč"},
      {"NOVA", "nová hra"}, {"KONEC", "ukončit"},
      {"N-5050", "50:50, k dispozici"}, {"N-divx", "pomoc diváků, použito"}, {"N-TELX", "přítel na telefonu, použito"},
      // Pictures without a text, and names of nothing: read as nothing, never as garbage.
      {"A-M", ""}, {"LOGO", ""}, {"C06", ""}, {"S00", ""}, {"S16", ""}, {"N-5050XX", ""}, {"", ""}};
  for (const auto& [name, text] : cases) EXPECT_EQ(pictureText(QString::fromLatin1(name)), QString::fromUtf8(text)) << name;
}

TEST(FriendsReply, IsTheTypedLineAfterTheBlankOneOrNothingBeforeIt) {
  const QString blanks(10, QLatin1Char(' '));
  const std::pair<QString, QString> cases[] = {
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks + "\r\nJe to B.", "Přítel: Je to B."},
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks + "\r\nJe t", "Přítel: Je t"},  // cut off by the limit
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks + "\r\n", ""},
      {"Kolik?\r\nB: osm nebo D: deset\r\n" + blanks, ""},
      {"Kol", ""}, {"", ""}};
  for (const auto& [typed, said] : cases) EXPECT_EQ(spoken::friendsReply(typed), said) << typed.toStdString();
}

}  // namespace
}  // namespace kvz
