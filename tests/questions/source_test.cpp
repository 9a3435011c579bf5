#include <gtest/gtest.h>

#include "questions/qst_test_files.h"
#include "questions/source.h"

namespace kvz {
namespace {

using namespace Qt::StringLiterals;

// A question with only the required keys, for tests that add one line of their own.
QByteArray minimal(const char* header = "[01-001]", const QByteArray& extra = {}) {
  return QByteArray(header) + "\nZadani: Otázka x\nA: Brno\nB: Praha\nC: Ostrava\nD: Plzeň\nSpravna: B\nDivaci: 4 88 5 3\n" +
         (extra.isEmpty() ? extra : extra + "\n");
}

SourceFile parse(const QByteArray& text) { return parseSource(u"01.txt"_s, text); }

// The bytes of the one question of a source, after checking that nothing was reported.
std::vector<std::uint8_t> onlyQuestion(const QByteArray& text) {
  const SourceFile file = parse(text);
  EXPECT_TRUE(file.diagnostics.empty()) << file.diagnostics.front().text().toStdString();
  EXPECT_EQ(file.questions.size(), 1u);
  return file.questions.empty() ? std::vector<std::uint8_t>{}
                                : std::vector<std::uint8_t>(file.questions[0].bytes.begin(), file.questions[0].bytes.end());
}

TEST(QuestionSource, ReadsValuesAsAuthorsWriteThemAndGivesLeftOutKeysTheirDefaults) {
  const struct {
    QByteArray text;
    void (*change)(ZaznamOtazky&);
  } cases[] = {
      {"# a comment\n" + minimal("[01-001]", "Autor: Tým\nKorekce: ano\nHodnota: 1\nID: 001"), [](ZaznamOtazky&) {}},
      {minimal("[03-012]"), [](ZaznamOtazky& r) { r.Autor.clear(); r.Hodnota = 3; r.ID = u"012"_s; }},
      {minimal("[01-001]", "Autor: Tým\nKorekce: NE\nID: 001"), [](ZaznamOtazky& r) { r.Korekce = 0; }},
      {minimal("[01-001]", "Autor: \"  Jan \\\"Honza\\\" \\\\ N.  \"\nID: \"  7\""),
       [](ZaznamOtazky& r) { r.Autor = u"  Jan \"Honza\" \\ N."_s; r.ID = u"  7"_s; }},
      {minimal("[01-001]", "Autor: \t  Tým   \t\nID: 001").replace("4 88 5 3", "-5 +92 8  5"),
       [](ZaznamOtazky& r) { std::tie(r.DivaciA, r.DivaciB, r.DivaciC, r.DivaciD) = std::tuple(-5, 92, 8, 5); }},
      {"\xEF\xBB\xBF" + minimal("[01-001]", "\n   # indented\n\nAutor: Tým\nID: 001").replace("\n", "\r\n"),
       [](ZaznamOtazky&) {}},
  };
  for (const auto& c : cases) EXPECT_EQ(onlyQuestion(c.text), testing::sampleBytes(c.change)) << c.text.toStdString();
}

TEST(QuestionSource, NamesTheLineOfEveryFaultAndLeavesTheQuestionOut) {
  const std::pair<QByteArray, const char*> faults[] = {
      {minimal("[01-001]", "Obtiznost: 3"),
       "01.txt:9: unknown key 'Obtiznost' (keys: Zadani, A, B, C, D, Spravna, Divaci, Autor, Korekce, Hodnota, ID)"},
      {minimal("[01-001]", "A: znovu"), "01.txt:9: A is given twice (first on line 3)"},
      {minimal("[01-001]", "jen tak text"), "01.txt:9: expected 'Key: value' or '[NN-nnn]'"},
      {"Zadani: bez hlavičky\n", "01.txt:1: 'Zadani' comes before the first [NN-nnn]"},
      {minimal("[01-001]", "Autor: \"Jana"), "01.txt:9: the closing quote is missing"},
      {minimal("[01-001]", "Autor: \"Jana\" N."), "01.txt:9: text after the closing quote"},
      {minimal("[01-001]", "Autor: \"a\\nb\""), "01.txt:9: inside quotes only \\\" and \\\\ may follow a backslash"},
      {minimal("[01-001]").replace("Spravna: B\n", ""), "01.txt:1: Spravna is missing"},
      {minimal("[01-001]", "Korekce: možná"), "01.txt:9: Korekce is 'ano', 'ne' or a whole number, not 'možná'"},
      {minimal("[01-001]", "Hodnota: 0x10"), "01.txt:9: Hodnota: '0x10' is not a whole number from -32768 to 32767"},
      {minimal().replace("Otázka x", QString(251, u'ř').toUtf8()), "01.txt:2: Zadani is 251 …"},
      {minimal().replace("A: Brno", "A: \xE8\x61j"), "01.txt:3: the line is not UTF-8 text\n01.txt:1: A is missing"},
      {minimal() + minimal(), "01.txt:9: [01-001] is already defined on line 1"},
  };
  for (const auto& [text, expected] : faults) {
    const SourceFile file = parse(text);
    const QStringList messages = testing::messagesOf(file.diagnostics);
    EXPECT_TRUE(testing::matches(messages, expected)) << messages.join(u'\n').toStdString();
    EXPECT_EQ(file.questions.size(), text.count("[01-001]") > 1 ? 1u : 0u) << expected;
  }
  for (const char* shares : {"10 20 30", "10 20 30 40 0", "a b c d", "10 20 30 40000", "1.5 0 0 98.5", "10,20,30,40"})
    EXPECT_EQ(parse(minimal().replace("4 88 5 3", shares)).diagnostics.at(0).text(),
              u"01.txt:8: Divaci needs four whole numbers from -32768 to 32767 (the shares of A, B, C, D), not '%1'"_s
                  .arg(QString::fromLatin1(shares)));
  for (const char* header : {"[01-026]", "[01-000]", "[16-001]", "[00-001]", "[1-001]", "[01-1]", "[01-001] x", "[01-001"})
    EXPECT_EQ(parse(minimal(header)).diagnostics.at(0).text(),
              u"01.txt:1: '%1' is no question name: NN-nnn with the step 01 to 15 and the number 001 to 025"_s
                  .arg(QString::fromLatin1(header)));
  EXPECT_EQ(parse(minimal("[15-025]")).questions.size(), 1u);
}

TEST(QuestionSource, AFaultyQuestionDoesNotTakeTheOthersWithIt) {
  const SourceFile file = parse(minimal("[01-001]") + minimal("[01-002]", "Bonus: 1") + minimal("[01-003]"));
  EXPECT_TRUE(file.hasErrors());
  ASSERT_EQ(file.questions.size(), 2u);
  EXPECT_EQ(file.questions[0].fileName, u"01-001.qst"_s);
  EXPECT_EQ(file.questions[1].fileName, u"01-003.qst"_s);
  for (const QByteArray& nothing : {QByteArray(), QByteArray("\n\n# nic\n"), QByteArray("\xEF\xBB\xBF")}) {
    const SourceFile empty = parse(nothing);
    EXPECT_TRUE(empty.questions.empty()) << nothing.toStdString();
    EXPECT_TRUE(empty.diagnostics.empty()) << nothing.toStdString();
  }
}

}  // namespace
}  // namespace kvz
