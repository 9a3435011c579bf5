#include <gtest/gtest.h>

#include <QFileInfo>

#include "fakes/game_harness.h"
#include "lifelines/lifelines.h"

namespace kvz {
namespace {

using fakes::GameHarness;
using Op = fakes::RecordingMedia::Op;

struct Call {
  const char* what;
  bool longText;  // a transcript typed for more than thirty seconds
  bool byKey;     // F6, or a click on the icon
  bool pollFirst;
};

class PhoneCall : public ::testing::TestWithParam<Call> {};

// The call screen: black backdrop, square behind the video, transcript panel, the video in
// view; and the logo.
void expectCallScreen(const GameHarness& h, bool on, bool logo, std::int64_t at) {
  for (const char* name : {"Shape1", "Shape2", "txtNTelVypis"}) EXPECT_EQ(h[name].visible(), on) << name << " " << at;
  EXPECT_EQ(h["WMP3"].geometry().top, on ? 765 : -2500) << at;
  EXPECT_EQ(h["imgLogo"].visible(), logo) << at;
}

TEST_P(PhoneCall, RingsPicksUpTypesEndsAndGivesTheGameBackOnTime) {
  const Call c = GetParam();
  GameHarness h;
  fakes::QuestionSpec q = GameHarness::stockQuestion(1);
  if (c.longText) {
    q.zadani = QByteArray(120, 'x') + " " + QByteArray(120, 'y');
    q.odp = {QByteArray(45, 'a'), QByteArray(45, 'b'), QByteArray(45, 'c'), QByteArray(45, 'd')};
  }
  h.writeQuestion(1, 1, q);
  h.playTo(1);
  FrmMain& g = *h.game;
  if (c.pollFirst) {
    h.form().keyUp(vk::F7);
    h.clock.advance(25270);
  }
  const std::size_t effects0 = h.effects.log.size(), music0 = h.music.log.size();
  const std::int64_t t0 = h.now();
  c.byKey ? h.form().keyUp(vk::F6) : h["imgNTel"].click();

  const QString text = g.lifelines().telefon.TelVypis;
  const int n = static_cast<int>(text.size());
  ASSERT_EQ(n + 5 > 300, c.longText) << n;
  EXPECT_FALSE(g.NTelefon);
  EXPECT_TRUE(g.Zamceno);
  EXPECT_EQ(h["imgNTel"].picture(), "N-telx");
  EXPECT_FALSE(h["imgNTel"].enabled());

  h.clock.advanceTo(t0 + 3699);
  expectCallScreen(h, false, !c.pollFirst, h.now());
  const int events0 = h.windows.eventRuns;
  h.clock.advanceTo(t0 + 3700);
  const std::int64_t up = h.now();
  expectCallScreen(h, true, !c.pollFirst, h.now());
  EXPECT_EQ(h.windows.eventRuns - events0, 3);
  EXPECT_EQ(h["WMP3"].geometry().left, 2865);
  EXPECT_TRUE(h["txtNTelVypis"].caption().isEmpty());

  // One character every 100 ms, CR and LF as any other.
  const int typed = std::min(n, 299);
  for (int k : {1, typed / 2, typed}) {
    h.clock.advanceTo(up + 100 * k);
    EXPECT_EQ(h["txtNTelVypis"].caption(), text.left(k)) << k;
  }
  const std::int64_t end = c.longText ? up + 30000 : up + 100 * (n + 5);
  h.clock.advanceTo(end - 1);
  EXPECT_TRUE(h["txtNTelVypis"].visible());
  h.clock.advanceTo(end);
  expectCallScreen(h, false, !c.pollFirst, h.now());
  EXPECT_EQ(h["txtNTelVypis"].caption(), text.left(c.longText ? 299 : n));
  EXPECT_EQ(h.game->Zamceno, true);
  EXPECT_EQ(h["imgNDivGraf"].visible() && h["colNDivA"].visible(), c.pollFirst);
  h.clock.advanceTo(end + 1249);
  EXPECT_TRUE(g.Zamceno);
  h.clock.advanceTo(end + 1250);
  EXPECT_FALSE(g.Zamceno);
  EXPECT_EQ(h.clock.nextDue(), -1);

  // The players, in order: ring, video, (end sound), video away, music from its beginning.
  using E = std::tuple<Op, QString, std::int64_t>;
  std::vector<E> fx, music, video;
  for (std::size_t i = effects0; i < h.effects.log.size(); ++i)
    fx.emplace_back(h.effects.log[i].op, QFileInfo(h.effects.log[i].file).fileName(), h.effects.log[i].timeMs);
  for (std::size_t i = music0; i < h.music.log.size(); ++i)
    music.emplace_back(h.music.log[i].op, QFileInfo(h.music.log[i].file).fileName(), h.music.log[i].timeMs);
  std::vector<E> expectFx{{Op::SetFile, "tel.wav", t0}, {Op::Play, "tel.wav", t0}};
  if (!c.longText)
    expectFx.insert(expectFx.end(), {{Op::Stop, "tel.wav", end}, {Op::SetFile, "tel-end.wav", end}, {Op::Play, "tel-end.wav", end}});
  EXPECT_EQ(fx, expectFx);
  EXPECT_EQ(music, (std::vector<E>{{Op::Stop, "bgm.wav", t0}, {Op::SetFile, "bgm.wav", end + 1250},
                                   {Op::Play, "bgm.wav", end + 1250}}));
  EXPECT_EQ(h.video.times(Op::Play), std::vector<std::int64_t>{up});
  EXPECT_EQ(h.video.times(Op::Stop), std::vector<std::int64_t>{end});

  // The game goes on: a pick is taken.
  h.form().keyUp('B');
  EXPECT_EQ(g.ZvolenaOdpoved, "B");
}

INSTANTIATE_TEST_SUITE_P(Calls, PhoneCall,
                         ::testing::Values(Call{"short by key", false, true, false},
                                           Call{"short by click after the poll", false, false, true},
                                           Call{"long by key", true, true, false},
                                           Call{"long by click after the poll", true, false, true}));

}  // namespace
}  // namespace kvz
