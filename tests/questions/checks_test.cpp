#include <gtest/gtest.h>

#include <sys/stat.h>

#include "questions/checks.h"
#include "questions/qst_test_files.h"

namespace kvz {
namespace {

CheckedQuestion question(int step = 1, int number = 1, const QString& tag = QStringLiteral("x")) {
  return {QStringLiteral("01.txt"), 10 * number, step, number, testing::sampleQuestion(tag)};
}

QStringList messages(const std::vector<Diagnostic>& found, bool errors) {
  QStringList list;
  for (const Diagnostic& d : found)
    if (d.isError() == errors) list << d.text();
  return list;
}

TEST(QuestionCheck, ASoundQuestionHasNothingToReport) {
  EXPECT_TRUE(checkQuestion(question()).empty());
}

TEST(QuestionCheck, OnlyACapitalAToDCanBeTheRightAnswer) {
  for (const char* letter : {"a", "E", " ", "1"}) {
    CheckedQuestion q = question();
    q.record.Spravna = QString::fromLatin1(letter);
    const QStringList errors = messages(checkQuestion(q), true);
    ASSERT_EQ(errors.size(), 1) << letter;
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("01.txt:10: Spravna is"))) << errors[0].toStdString();
  }
  for (const char* letter : {"A", "C", "D"}) {
    CheckedQuestion q = question();
    q.record.Spravna = QString::fromLatin1(letter);
    q.record.DivaciA = q.record.DivaciB = q.record.DivaciC = q.record.DivaciD = 25;
    EXPECT_TRUE(checkQuestion(q).empty()) << letter;
  }
}

TEST(QuestionCheck, AudienceSharesLieInZeroToHundredAndAddUpToHundred) {
  CheckedQuestion q = question();
  q.record.DivaciA = -1;
  q.record.DivaciB = 101;
  q.record.DivaciC = 0;
  q.record.DivaciD = 0;
  EXPECT_EQ(messages(checkQuestion(q), true),
            (QStringList{QStringLiteral("01.txt:10: the audience share of A is -1; shares are 0 to 100"),
                         QStringLiteral("01.txt:10: the audience share of B is 101; shares are 0 to 100")}));
  q.record.DivaciA = 0;
  q.record.DivaciB = 99;
  EXPECT_EQ(messages(checkQuestion(q), true),
            QStringList{QStringLiteral("01.txt:10: the audience shares add up to 99, not 100")});
  q.record.DivaciB = 100;
  EXPECT_TRUE(messages(checkQuestion(q), true).isEmpty());
}

TEST(QuestionCheck, AnEmptyQuestionOrAnswerIsAnError) {
  CheckedQuestion q = question();
  q.record.Zadani = QString(250, u' ');
  q.record.OdpC = QString();
  EXPECT_EQ(messages(checkQuestion(q), true),
            (QStringList{QStringLiteral("01.txt:10: Zadani is empty"), QStringLiteral("01.txt:10: C is empty")}));
}

TEST(QuestionCheck, OddButPlayableQuestionsGetWarningsOnly) {
  CheckedQuestion q = question(7);
  q.record.Autor = QString(30, u' ');
  q.record.DivaciB = 0;  // the right answer
  q.record.DivaciA = 92;
  const auto found = checkQuestion(q);
  EXPECT_TRUE(messages(found, true).isEmpty());
  EXPECT_EQ(messages(found, false),
            (QStringList{QStringLiteral("01.txt:10: warning: no author (Autor)"),
                         QStringLiteral("01.txt:10: warning: the right answer has an audience share of 0; the phone "
                                        "friend can never name it"),
                         QStringLiteral("01.txt:10: warning: step 7 is never played; a game has 5 questions")}));
}

TEST(QuestionBankCheck, TheSameQuestionTwiceIsAnErrorWhateverTheBlanksAndCase) {
  std::vector<CheckedQuestion> set{question(1, 1, QStringLiteral("stejná")), question(2, 2, QStringLiteral("jiná"))};
  set.push_back(question(3, 3));
  set.back().record.Zadani = QStringLiteral("  OTÁZKA   STEJNÁ ");
  EXPECT_EQ(messages(checkBank(set, false, {}), true),
            QStringList{QStringLiteral("01.txt:30: the same question as 01.txt:10")});
}

TEST(QuestionBankCheck, TheSameFileTwiceIsAnError) {
  std::vector<CheckedQuestion> set{question(1, 4, QStringLiteral("a")), question(1, 4, QStringLiteral("b"))};
  set[1].line = 99;
  EXPECT_EQ(messages(checkBank(set, false, {}), true),
            QStringList{QStringLiteral("01.txt:99: 01-004.qst is already given by 01.txt:40")});
}

TEST(QuestionBankCheck, AWholeBankNeedsAQuestionForEveryPlayedStep) {
  std::vector<CheckedQuestion> set;
  for (const int step : {1, 2, 4, 6}) set.push_back(question(step, step, QString::number(step)));
  EXPECT_EQ(messages(checkBank(set, true, QStringLiteral("qst")), true),
            (QStringList{QStringLiteral("qst: no question for step 3: a game that reaches it ends with a message"),
                         QStringLiteral("qst: no question for step 5: a game that reaches it ends with a message")}));
  EXPECT_TRUE(checkBank(set, false, QStringLiteral("qst")).empty());
  set.push_back(question(3, 3, QStringLiteral("3b")));
  set.push_back(question(5, 5, QStringLiteral("5b")));
  EXPECT_TRUE(checkBank(set, true, QStringLiteral("qst")).empty());
  EXPECT_EQ(checkBank({}, true, QStringLiteral("qst")).size(), 5u);
}

TEST(QuestionFileCheck, TellsStepAndNumberOfAnyQuestionFileName) {
  EXPECT_EQ(questionFileNumbers("01-026.QST"), (std::pair{1, 26}));
  EXPECT_EQ(questionFileNumbers("15-000.qst"), (std::pair{15, 0}));
  EXPECT_EQ(questionFileNumbers("100-001.qst"), (std::pair{100, 1}));
  for (const char* name : {"01-001.qst.bak", "x01-001.qst", "01-01.qst", "01-001.txt", "1-001.qst", "001-001.qst",
                           "0100-001.qst", "99999-001.qst"})
    EXPECT_FALSE(questionFileNumbers(name)) << name;
}

TEST(QuestionFileCheck, ReportsFilesTheGameWouldNeverChoose) {
  testing::QstFolder folder;
  const auto whole = testing::recordBytes(testing::sampleQuestion());
  auto errorsOf = [&](const std::filesystem::path& file) {
    return messages(checkQuestionFile(file, QString::fromStdString(file.filename().string())).diagnostics, true);
  };
  EXPECT_TRUE(errorsOf(folder.addBytes("01-001.qst", whole)).isEmpty());
  EXPECT_EQ(errorsOf(folder.addBytes("01-002.qst", {whole.begin(), whole.begin() + 495})),
            QStringList{QStringLiteral("01-002.qst: has 495 bytes; a question file has 496, so the game never chooses it")});
  EXPECT_EQ(errorsOf(folder.addBytes("01-026.qst", whole)),
            QStringList{QStringLiteral("01-026.qst: the file number must be 001 to 025 and the step 01 or more; "
                                       "the game never chooses this file")});
  for (const char* name : {"otazka.qst", "001-001.qst", "1-001.qst"})
    EXPECT_EQ(errorsOf(folder.addBytes(name, whole)),
              QStringList{QString::fromLatin1(name) + QStringLiteral(": the name is not NN-nnn.qst (as 01-017.qst), so "
                                                                     "the game never chooses it")});
  std::filesystem::create_directory(folder.path() / "01-003.qst");
  EXPECT_EQ(errorsOf(folder.path() / "01-003.qst"), QStringList{QStringLiteral("01-003.qst: not a readable file")});
  ASSERT_EQ(mkfifo((folder.path() / "01-004.qst").c_str(), 0600), 0);
  EXPECT_EQ(errorsOf(folder.path() / "01-004.qst").size(), 1);  // and no wait for a writer

  auto longer = whole;
  longer.resize(600, 'x');
  const CheckedFile extra = checkQuestionFile(folder.addBytes("02-001.qst", longer), QStringLiteral("02-001.qst"));
  ASSERT_TRUE(extra.question);
  EXPECT_EQ(extra.question->step, 2);
  EXPECT_EQ(messages(extra.diagnostics, false),
            QStringList{QStringLiteral("02-001.qst: warning: has 600 bytes; the game reads only the first 496")});
}

}  // namespace
}  // namespace kvz
