#include <gtest/gtest.h>

#include <QFileInfo>

#include "fakes/game_harness.h"
#include "lifelines/lifelines.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using fakes::RecordingMedia;

// The call screen (panel and video in view) and the logo.
void expectScreen(const GameHarness& h, bool call, bool logo, std::int64_t at) {
  EXPECT_TRUE(h["txtNTelVypis"].visible() == call && h["Shape1"].visible() == call) << at;
  EXPECT_EQ(h["WMP3"].geometry().top, call ? 765 : -2500) << at;
  EXPECT_EQ(h["imgLogo"].visible(), logo) << at;
}

// A player's operations from a time on: "op file @ms".
QStringList ops(const RecordingMedia& m, std::int64_t from) {
  QStringList s;
  for (const RecordingMedia::Entry& e : m.log)
    if (e.timeMs >= from) s << QStringLiteral("%1 %2 @%3").arg(int(e.op)).arg(QFileInfo(e.file).fileName()).arg(e.timeMs);
  return s;
}

// A short transcript is typed out and ends with the end sound (by key); a long one is cut off
// at 30 s (by click, after the poll, whose graph then keeps the logo's place).
TEST(PhoneCall, RingsPicksUpTypesEndsAndGivesTheGameBackOnTime) {
  for (const bool longText : {false, true}) {
    GameHarness h;
    fakes::QuestionSpec q = GameHarness::stockQuestion(1);
    if (longText) q.zadani = QByteArray(120, 'x') + " " + QByteArray(120, 'y');
    h.writeQuestion(1, 1, q);
    h.playTo(1);
    if (longText) h.form().keyUp(vk::F7), h.clock.advance(25271);
    const std::int64_t t0 = h.now(), up = t0 + 3700;
    longText ? h["imgNTel"].click() : h.form().keyUp(vk::F6);
    const QString text = h.game->lifelines().telefon.TelVypis;
    const int n = static_cast<int>(text.size());
    ASSERT_EQ(n + 5 > 300, longText) << n;
    EXPECT_TRUE(!h.game->NTelefon && h.game->Zamceno);
    h.clock.advanceTo(up - 1);
    expectScreen(h, false, !longText, h.now());
    const int events = h.windows.eventRuns;
    h.clock.advanceTo(up);
    expectScreen(h, true, !longText, h.now());
    EXPECT_EQ(h.windows.eventRuns - events, 3);  // the call screen is painted before typing
    for (int k : {0, 1, std::min(n, 299)}) {
      h.clock.advanceTo(up + 100 * k);
      EXPECT_EQ(h["txtNTelVypis"].caption(), text.left(k)) << k;  // CR and LF typed one a tick
    }
    const std::int64_t end = longText ? up + 30000 : up + 100 * (n + 5);
    h.clock.advanceTo(end - 1);
    expectScreen(h, true, !longText, h.now());
    h.clock.advanceTo(end);
    expectScreen(h, false, !longText, h.now());
    EXPECT_EQ(h["colNDivA"].visible(), longText);
    h.clock.advanceTo(end + 1249);
    EXPECT_TRUE(h.game->Zamceno);
    h.clock.advanceTo(end + 1250);
    EXPECT_TRUE(!h.game->Zamceno && h.clock.nextDue() == -1);
    const auto op = [](int o, const char* file, std::int64_t at) { return QStringLiteral("%1 %2 @%3").arg(o).arg(file).arg(at); };
    QStringList fx{op(0, "tel.wav", t0), op(1, "tel.wav", t0)};
    if (!longText) fx << op(2, "tel.wav", end) << op(0, "tel-end.wav", end) << op(1, "tel-end.wav", end);
    EXPECT_EQ(ops(h.effects, t0), fx);
    EXPECT_EQ(ops(h.music, t0), (QStringList{op(2, "bgm.wav", t0), op(0, "bgm.wav", end + 1250), op(1, "bgm.wav", end + 1250)}));
    EXPECT_EQ(ops(h.video, t0), (QStringList{op(1, "odpocet.avi", up), op(2, "odpocet.avi", end)}));
  }
}

// The window closed by the window manager while the pick-up lets pending events run: the call
// stops there, nothing touches the unloaded window, every player is silent.
TEST(PhoneCall, AWindowClosedDuringThePickUpEndsTheCallThere) {
  GameHarness h;
  h.playTo(1);
  h.form().keyUp(vk::F6);
  h.windows.onProcessEvents = [&h] { h.game->Unload(); };
  const int runs = h.windows.eventRuns;
  h.clock.advance(3700);
  EXPECT_TRUE(h.game->form() == nullptr && h.windows.eventRuns - runs == 1 && h.clock.nextDue() == -1);
  EXPECT_EQ(h.video.log.back().op, RecordingMedia::Op::Stop);
}

}  // namespace
}  // namespace kvz
