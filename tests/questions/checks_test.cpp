#include <gtest/gtest.h>

#include "questions/checks.h"
#include "questions/qst_test_files.h"

namespace kvz {
namespace {

using namespace Qt::StringLiterals;

CheckedQuestion question(int step = 1, int number = 1, const QString& tag = u"x"_s) {
  return {u"01.txt"_s, 10 * number, step, number, testing::sampleQuestion(tag)};
}

TEST(QuestionCheck, ReportsWhatGoesWrongInAGameAndWarnsOfWhatIsOdd) {
  const struct {
    void (*change)(CheckedQuestion&);
    QStringList expected;
  } cases[] = {
      {[](CheckedQuestion&) {}, {}},
      {[](CheckedQuestion& q) { q.record.Spravna = u"b"_s; },
       {u"01.txt:10: Spravna is 'b'; only A, B, C or D in capitals can ever be picked right"_s}},
      {[](CheckedQuestion& q) { q.record.Spravna = u"D"_s; q.record.DivaciD = 3; }, {}},
      {[](CheckedQuestion& q) { std::tie(q.record.DivaciA, q.record.DivaciB, q.record.DivaciC, q.record.DivaciD) = std::tuple(-1, 101, 0, 0); },
       {u"01.txt:10: the audience share of A is -1; shares are 0 to 100"_s,
        u"01.txt:10: the audience share of B is 101; shares are 0 to 100"_s}},
      {[](CheckedQuestion& q) { q.record.DivaciB = 87; }, {u"01.txt:10: the audience shares add up to 99, not 100"_s}},
      {[](CheckedQuestion& q) { q.record.Zadani = QString(250, u' '); q.record.OdpC.clear(); },
       {u"01.txt:10: Zadani is empty"_s, u"01.txt:10: C is empty"_s}},
      {[](CheckedQuestion& q) { std::tie(q.step, q.record.Autor, q.record.DivaciA, q.record.DivaciB) = std::tuple(7, QString(30, u' '), 92, 0); },
       {u"01.txt:10: warning: no author (Autor)"_s,
        u"01.txt:10: warning: the right answer has an audience share of 0; the phone friend can never name it"_s,
        u"01.txt:10: warning: step 7 is never played; a game has 5 questions"_s}},
  };
  for (const auto& c : cases) {
    CheckedQuestion q = question();
    c.change(q);
    EXPECT_EQ(testing::messagesOf(checkQuestion(q)), c.expected);
  }
}

TEST(QuestionBankCheck, FindsTheSameQuestionOrFileTwiceAndStepsWithoutAQuestion) {
  std::vector<CheckedQuestion> set{question(1, 1, u"stejná"_s), question(2, 2, u"jiná"_s), question(4, 4), question(6, 6)};
  set[2].record.Zadani = u"  OTÁZKA   STEJNÁ "_s;  // the same whatever the blanks and case
  std::tie(set[3].number, set[3].step, set[3].line) = std::tuple(2, 2, 99);
  EXPECT_EQ(testing::messagesOf(checkBank(set, false, {})),
            (QStringList{u"01.txt:40: the same question as 01.txt:10"_s,
                         u"01.txt:99: 02-002.qst is already given by 01.txt:20"_s}));
  EXPECT_EQ(testing::messagesOf(checkBank(set, true, u"qst"_s)).mid(2),
            (QStringList{u"qst: no question for step 3: a game that reaches it ends with a message"_s,
                         u"qst: no question for step 5: a game that reaches it ends with a message"_s}));
  EXPECT_EQ(checkBank({}, true, u"qst"_s).size(), 5u);
}

}  // namespace
}  // namespace kvz
