#include <gtest/gtest.h>

#include <sys/stat.h>

#include "questions/checks.h"
#include "questions/qst_test_files.h"

namespace kvz {
namespace {

using namespace Qt::StringLiterals;

CheckedQuestion question(int step = 1, int number = 1, const QString& tag = u"x"_s) {
  return {u"01.txt"_s, 10 * number, step, number, testing::sampleQuestion(tag)};
}

QStringList messages(const std::vector<Diagnostic>& found) {
  QStringList list;
  for (const Diagnostic& d : found) list << d.text();
  return list;
}

TEST(QuestionCheck, ReportsWhatGoesWrongInAGameAndWarnsOfWhatIsOdd) {
  const struct {
    void (*change)(CheckedQuestion&);
    QStringList expected;
  } cases[] = {
      {[](CheckedQuestion&) {}, {}},
      {[](CheckedQuestion& q) { q.record.Spravna = u"b"_s; },
       {u"01.txt:10: Spravna is 'b'; only A, B, C or D in capitals can ever be picked right"_s}},
      {[](CheckedQuestion& q) { q.record.Spravna = u" "_s; },
       {u"01.txt:10: Spravna is ' '; only A, B, C or D in capitals can ever be picked right"_s}},
      {[](CheckedQuestion& q) { q.record.Spravna = u"D"_s, q.record.DivaciD = 3; }, {}},
      {[](CheckedQuestion& q) { q.record.DivaciA = -1, q.record.DivaciB = 101, q.record.DivaciC = q.record.DivaciD = 0; },
       {u"01.txt:10: the audience share of A is -1; shares are 0 to 100"_s,
        u"01.txt:10: the audience share of B is 101; shares are 0 to 100"_s}},
      {[](CheckedQuestion& q) { q.record.DivaciB = 87; }, {u"01.txt:10: the audience shares add up to 99, not 100"_s}},
      {[](CheckedQuestion& q) { q.record.Zadani = QString(250, u' '), q.record.OdpC.clear(); },
       {u"01.txt:10: Zadani is empty"_s, u"01.txt:10: C is empty"_s}},
      {[](CheckedQuestion& q) {
         q.step = 7;
         q.record.Autor = QString(30, u' ');
         q.record.DivaciA = 92, q.record.DivaciB = 0;
       },
       {u"01.txt:10: warning: no author (Autor)"_s,
        u"01.txt:10: warning: the right answer has an audience share of 0; the phone friend can never name it"_s,
        u"01.txt:10: warning: step 7 is never played; a game has 5 questions"_s}},
  };
  for (const auto& c : cases) {
    CheckedQuestion q = question();
    c.change(q);
    EXPECT_EQ(messages(checkQuestion(q)), c.expected);
  }
}

TEST(QuestionBankCheck, FindsTheSameQuestionOrFileTwiceAndStepsWithoutAQuestion) {
  std::vector<CheckedQuestion> set{question(1, 1, u"stejná"_s), question(2, 2, u"jiná"_s), question(4, 4), question(6, 6)};
  set[2].record.Zadani = u"  OTÁZKA   STEJNÁ "_s;  // the same whatever the blanks and case
  set[3].number = 2, set[3].step = 2, set[3].line = 99;
  EXPECT_EQ(messages(checkBank(set, false, {})),
            (QStringList{u"01.txt:40: the same question as 01.txt:10"_s,
                         u"01.txt:99: 02-002.qst is already given by 01.txt:20"_s}));
  EXPECT_EQ(messages(checkBank(set, true, u"qst"_s)).mid(2),
            (QStringList{u"qst: no question for step 3: a game that reaches it ends with a message"_s,
                         u"qst: no question for step 5: a game that reaches it ends with a message"_s}));
  EXPECT_EQ(checkBank({}, true, u"qst"_s).size(), 5u);
}

TEST(QuestionFileCheck, TellsStepAndNumberOfTheNamesTheGameBuilds) {
  EXPECT_EQ(questionFileNumbers("01-026.QST"), (std::pair{1, 26}));
  EXPECT_EQ(questionFileNumbers("15-000.qst"), (std::pair{15, 0}));
  EXPECT_EQ(questionFileNumbers("100-001.qst"), (std::pair{100, 1}));
  for (const char* name : {"01-001.qst.bak", "x01-001.qst", "01-01.qst", "01-001.txt", "1-001.qst", "001-001.qst",
                           "0100-001.qst", "99999-001.qst"})
    EXPECT_FALSE(questionFileNumbers(name)) << name;
}

TEST(QuestionFileCheck, ReportsFilesTheGameWouldNeverChoose) {
  testing::QstFolder folder;
  auto whole = testing::recordBytes(testing::sampleQuestion());
  std::filesystem::create_directory(folder.path() / "01-003.qst");
  ASSERT_EQ(mkfifo((folder.path() / "01-004.qst").c_str(), 0600), 0);  // and no wait for a writer
  const std::string neverChosen = ": the name is not NN-nnn.qst (as 01-017.qst), so the game never chooses it";
  const std::pair<std::filesystem::path, std::string> files[] = {
      {folder.addBytes("01-001.qst", whole), ""},
      {folder.addBytes("01-002.qst", {whole.begin(), whole.begin() + 495}),
       "01-002.qst: has 495 bytes; a question file has 496, so the game never chooses it"},
      {folder.addBytes("01-026.qst", whole),
       "01-026.qst: the file number must be 001 to 025 and the step 01 or more; the game never chooses this file"},
      {folder.addBytes("otazka.qst", whole), "otazka.qst" + neverChosen},
      {folder.addBytes("001-001.qst", whole), "001-001.qst" + neverChosen},
      {folder.addBytes("1-001.qst", whole), "1-001.qst" + neverChosen},
      {folder.path() / "01-003.qst", "01-003.qst: not a readable file"},
      {folder.path() / "01-004.qst", "01-004.qst: not a readable file"},
  };
  for (const auto& [file, expected] : files) {
    const auto found = checkQuestionFile(file, QString::fromStdString(file.filename().string())).diagnostics;
    EXPECT_EQ(messages(found).join(u'\n').toStdString(), expected);
  }
  whole.resize(600, 'x');
  const CheckedFile extra = checkQuestionFile(folder.addBytes("02-001.qst", whole), u"02-001.qst"_s);
  ASSERT_TRUE(extra.question);
  EXPECT_EQ(extra.question->step, 2);
  EXPECT_EQ(messages(extra.diagnostics), QStringList{u"02-001.qst: warning: has 600 bytes; the game reads only the first 496"_s});
}

}  // namespace
}  // namespace kvz
