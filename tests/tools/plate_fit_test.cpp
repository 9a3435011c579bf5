#include <gtest/gtest.h>

#include "fakes/game_harness.h"
#include "plate_fit.h"
#include "tools/shows_whole.h"

namespace {

using namespace kvz;

// The question as the game lays it out with the real fonts, once its reveal is over.
struct ShownQuestion {
  explicit ShownQuestion(const QByteArray& zadani) {
    ZaznamOtazky question = fakes::GameHarness::stockQuestion(1);
    question.Zadani = QString::fromLatin1(zadani);
    game.removeQuestions();
    game.writeQuestion(1, 1, question);
    game.game = std::make_unique<FrmMain>(GameServices{game.clock, game.random, game.boxes, measure, game.paths,
                                                       game.windows, game.music, game.effects, game.video});
    game.playTo(1);
  }
  QtTextMeasure measure;
  fakes::GameHarness game;
};

TEST(PlateFit, TheCheckPassesAQuestionExactlyWhenTheGameShowsItWhole) {
  const QByteArray twoLines = QByteArray("Dlouha ").repeated(12);
  const std::pair<QByteArray, bool> cases[] = {
      {"Kolik nohou ma pavouk?", true},
      {twoLines, true},
      {"   " + twoLines + "   ", true},
      {QByteArray("Dlouha ").repeated(30), false},
      // The game keeps a line break an author left in: the question starts on its second line.
      {"\r\n" + twoLines, false},
      {twoLines + "\n", true},
      {"\t" + twoLines, true},
      {"Jedno\nslovo", true},
      {QByteArray(250, 'i'), false},
  };
  const qst::PlateFit fit;
  for (const auto& [zadani, whole] : cases) {
    ShownQuestion shown(zadani);
    const std::string what = zadani.toStdString();
    const Element& label = shown.game["lblZadani"];
    ASSERT_FALSE(label.caption().isEmpty()) << what;
    EXPECT_EQ(showsWhole(label), whole) << what;
    const auto problem = fit.questionProblem(shown.game.game->Otazka.Zadani);
    EXPECT_EQ(!problem.has_value(), showsWhole(label)) << what << ": " << problem.value_or(QString()).toStdString();
  }
}

}  // namespace
