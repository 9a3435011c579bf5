#include <gtest/gtest.h>

#include "questions/source.h"

namespace kvz {
namespace {

const char* const kExample =
    "# Lines starting with # are comments.\n"
    "[01-001]\n"
    "Zadani: Které město je hlavním městem České republiky?\n"
    "A: Brno\n"
    "B: Praha\n"
    "C: Ostrava\n"
    "D: Plzeň\n"
    "Spravna: B\n"
    "Divaci: 4 88 5 3\n"
    "Autor: Tým Kvizarion\n"
    "Korekce: ano\n"
    "Hodnota: 1\n"
    "ID: 001\n";

// A question with only the required keys, for tests that add one line of their own.
QByteArray minimal(const char* header = "[02-007]", const QByteArray& extra = {}) {
  return QByteArray(header) + "\nZadani: Otázka?\nA: a\nB: b\nC: c\nD: d\nSpravna: A\nDivaci: 70 10 10 10\n" +
         (extra.isEmpty() ? extra : extra + "\n");
}

SourceFile parse(const QByteArray& text) { return parseSource(QStringLiteral("01.txt"), text); }

// The one error a source gives, as the author reads it.
QString onlyError(const QByteArray& text) {
  const SourceFile file = parse(text);
  EXPECT_EQ(file.diagnostics.size(), 1u);
  EXPECT_TRUE(file.questions.empty());
  return file.diagnostics.empty() ? QString() : file.diagnostics.front().text();
}

TEST(QuestionSource, ReadsEveryKeyOfAQuestion) {
  const SourceFile file = parse(kExample);
  ASSERT_TRUE(file.diagnostics.empty());
  ASSERT_EQ(file.questions.size(), 1u);
  const SourceQuestion& q = file.questions[0];
  EXPECT_EQ(q.fileName, QStringLiteral("01-001.qst"));
  EXPECT_EQ(q.line, 2);
  EXPECT_EQ(q.record.Zadani.trimmed(), QStringLiteral("Které město je hlavním městem České republiky?"));
  EXPECT_EQ(q.record.OdpD.trimmed(), QStringLiteral("Plzeň"));
  EXPECT_EQ(q.record.Spravna, QStringLiteral("B"));
  EXPECT_EQ(q.record.DivaciB, 88);
  EXPECT_EQ(q.record.Autor.trimmed(), QStringLiteral("Tým Kvizarion"));
  EXPECT_EQ(q.record.Korekce, -1);
  EXPECT_EQ(q.record.ID, QStringLiteral("001"));
  EXPECT_EQ(decodeRecord(q.bytes), q.record);
  EXPECT_EQ(q.record.OdpA, QStringLiteral("Brno") + QString(46, u' '));
}

TEST(QuestionSource, FillsTheOptionalKeysWithTheirDefaults) {
  const SourceFile file = parse(minimal("[03-012]"));
  ASSERT_EQ(file.questions.size(), 1u);
  const ZaznamOtazky& r = file.questions[0].record;
  EXPECT_TRUE(r.Autor.trimmed().isEmpty());
  EXPECT_EQ(r.Korekce, -1);
  EXPECT_EQ(r.Hodnota, 3);
  EXPECT_EQ(r.ID, QStringLiteral("012"));
}

TEST(QuestionSource, KorekceTakesAnoNeOrAWholeNumber) {
  const std::pair<const char*, int> cases[] = {{"ano", -1}, {"ANO", -1}, {"ne", 0}, {"5", 5}, {"-1", -1}, {"0", 0}};
  for (const auto& [text, value] : cases) {
    const SourceFile file = parse(minimal("[01-001]", QByteArray("Korekce: ") + text));
    ASSERT_EQ(file.questions.size(), 1u) << text;
    EXPECT_EQ(file.questions[0].record.Korekce, value) << text;
  }
  EXPECT_TRUE(onlyError(minimal("[01-001]", "Korekce: možná")).startsWith(QStringLiteral("01.txt:9: Korekce")));
}

TEST(QuestionSource, QuotesKeepBlanksQuotesAndBackslashes) {
  const SourceFile file = parse(minimal("[01-001]", "Autor: \"  Jan \\\"Honza\\\" \\\\ N.  \"\nID: \"  7\""));
  ASSERT_EQ(file.questions.size(), 1u) << file.diagnostics.front().text().toStdString();
  EXPECT_TRUE(file.questions[0].record.Autor.startsWith(QStringLiteral("  Jan \"Honza\" \\ N.  ")));
  EXPECT_EQ(file.questions[0].record.ID, QStringLiteral("  7"));
}

TEST(QuestionSource, PlainValuesLoseTheBlanksAroundThem) {
  const SourceFile file = parse(minimal("[01-001]", "Autor: \t  Jana   \t"));
  ASSERT_EQ(file.questions.size(), 1u);
  EXPECT_EQ(file.questions[0].record.Autor, QStringLiteral("Jana") + QString(26, u' '));
}

TEST(QuestionSource, ReadsWindowsLineEndsAByteOrderMarkCommentsAndBlankLines) {
  QByteArray text = "\xEF\xBB\xBF" + QByteArray(kExample);
  text.replace("\n", "\r\n");
  text.replace("A: Brno\r\n", "\r\n   # an indented comment\r\n\r\nA: Brno\r\n");
  const SourceFile file = parse(text);
  ASSERT_TRUE(file.diagnostics.empty()) << file.diagnostics.front().text().toStdString();
  ASSERT_EQ(file.questions.size(), 1u);
  EXPECT_EQ(file.questions[0].record.OdpA.trimmed(), QStringLiteral("Brno"));
  EXPECT_EQ(file.questions[0].record.ID, QStringLiteral("001"));
}

TEST(QuestionSource, NamesTheLineOfEveryFault) {
  EXPECT_EQ(onlyError(minimal("[01-001]", "Obtiznost: 3")),
            QStringLiteral("01.txt:9: unknown key 'Obtiznost' (keys: Zadani, A, B, C, D, Spravna, Divaci, "
                           "Autor, Korekce, Hodnota, ID)"));
  EXPECT_EQ(onlyError(minimal("[01-001]", "A: znovu")), QStringLiteral("01.txt:9: A is given twice (first on line 3)"));
  EXPECT_EQ(onlyError(minimal("[01-001]", "jen tak text")), QStringLiteral("01.txt:9: expected 'Key: value' or '[NN-nnn]'"));
  const SourceFile early = parse("Zadani: bez hlavičky\n" + minimal());
  ASSERT_EQ(early.diagnostics.size(), 1u);
  EXPECT_EQ(early.diagnostics[0].text(), QStringLiteral("01.txt:1: 'Zadani' comes before the first [NN-nnn]"));
  EXPECT_EQ(onlyError(minimal("[01-001]", "Autor: \"Jana")), QStringLiteral("01.txt:9: the closing quote is missing"));
  EXPECT_EQ(onlyError(minimal("[01-001]", "Autor: \"Jana\" N.")), QStringLiteral("01.txt:9: text after the closing quote"));
  EXPECT_TRUE(onlyError(minimal("[01-001]", "Autor: \"a\\nb\"")).startsWith(QStringLiteral("01.txt:9: inside quotes")));
}

TEST(QuestionSource, AMissingRequiredKeyIsReportedAtTheQuestionsName) {
  QByteArray text = minimal("[01-001]");
  text.replace("Spravna: A\n", "");
  EXPECT_EQ(onlyError(text), QStringLiteral("01.txt:1: Spravna is missing"));
  const SourceFile empty = parse("[01-002]\n");
  EXPECT_EQ(empty.diagnostics.size(), 7u);  // Zadani, A to D, Spravna, Divaci
}

TEST(QuestionSource, RefusesNumbersThatAreNotWholeSixteenBitNumbers) {
  for (const char* shares : {"10 20 30", "10 20 30 40 0", "a b c d", "10 20 30 40000", "1.5 0 0 98.5", "10,20,30,40"})
    EXPECT_TRUE(onlyError(minimal("[01-001]").replace("70 10 10 10", shares)).startsWith(QStringLiteral("01.txt:8: Divaci")))
        << shares;
  EXPECT_TRUE(onlyError(minimal("[01-001]", "Hodnota: 99999")).startsWith(QStringLiteral("01.txt:9: Hodnota")));
  EXPECT_TRUE(onlyError(minimal("[01-001]", "Hodnota: 0x10")).startsWith(QStringLiteral("01.txt:9: Hodnota")));
  const SourceFile negative = parse(minimal("[01-001]", "Hodnota: -32768").replace("70 10 10 10", "-5 +50 0 55"));
  ASSERT_EQ(negative.questions.size(), 1u);
  EXPECT_EQ(negative.questions[0].record.Hodnota, -32768);
  EXPECT_EQ(negative.questions[0].record.DivaciA, -5);
}

TEST(QuestionSource, RefusesNamesOutsideTheStepsAndNumbers) {
  for (const char* header : {"[01-026]", "[01-000]", "[16-001]", "[00-001]", "[1-001]", "[01-1]", "[01-001] x", "[ab-cde]", "[01-001"})
    EXPECT_TRUE(onlyError(minimal(header)).contains(QStringLiteral("is no question name"))) << header;
  EXPECT_EQ(parse(minimal("[15-025]")).questions.size(), 1u);
}

TEST(QuestionSource, ANameGivenTwiceInAFileIsAnError) {
  const SourceFile file = parse(minimal("[01-001]") + minimal("[01-001]"));
  ASSERT_EQ(file.diagnostics.size(), 1u);
  EXPECT_EQ(file.diagnostics[0].text(), QStringLiteral("01.txt:9: [01-001] is already defined on line 1"));
  EXPECT_EQ(file.questions.size(), 1u);
}

TEST(QuestionSource, TextsMustFitTheirFieldInWindows1250) {
  const QByteArray full = QString(250, u'ř').toUtf8();
  EXPECT_EQ(parse(minimal().replace("Otázka?", full)).questions.size(), 1u);
  EXPECT_EQ(onlyError(minimal().replace("Otázka?", full + "x")),
            QStringLiteral("01.txt:2: Zadani is 251 characters long, at most 250 fit"));
  EXPECT_EQ(onlyError(minimal().replace("B: b", "B: 日本")),
            QStringLiteral("01.txt:4: B has a character that Windows-1250 cannot hold"));
  EXPECT_EQ(onlyError(minimal().replace("Spravna: A", "Spravna: AB")),
            QStringLiteral("01.txt:7: Spravna is 2 characters long, at most 1 fit"));
  EXPECT_TRUE(onlyError(minimal("[01-001]", "ID: 0001")).startsWith(QStringLiteral("01.txt:9: ID is 4")));
}

TEST(QuestionSource, ALineThatIsNotUtf8IsReported) {
  const SourceFile file = parse(minimal().replace("A: a", "A: \xE8\x61j"));
  ASSERT_EQ(file.diagnostics.size(), 2u);  // the line, and then A is missing
  EXPECT_EQ(file.diagnostics[0].text(), QStringLiteral("01.txt:3: the line is not UTF-8 text"));
  EXPECT_TRUE(file.questions.empty());
}

TEST(QuestionSource, AFaultyQuestionDoesNotTakeTheOthersWithIt) {
  const SourceFile file = parse(minimal("[01-001]") + minimal("[01-002]", "Bonus: 1") + minimal("[01-003]"));
  EXPECT_TRUE(file.hasErrors());
  ASSERT_EQ(file.questions.size(), 2u);
  EXPECT_EQ(file.questions[0].fileName, QStringLiteral("01-001.qst"));
  EXPECT_EQ(file.questions[1].fileName, QStringLiteral("01-003.qst"));
}

TEST(QuestionSource, NothingAtAllIsNoQuestionAndNoError) {
  for (const QByteArray& text : {QByteArray(), QByteArray("\n\n# nic\n"), QByteArray("\xEF\xBB\xBF")}) {
    const SourceFile file = parse(text);
    EXPECT_TRUE(file.questions.empty());
    EXPECT_TRUE(file.diagnostics.empty());
  }
}

TEST(QuestionSource, WrittenBackAsSourceItReadsTheSame) {
  ZaznamOtazky r = parse(kExample).questions.at(0).record;
  r.OdpA = QStringLiteral("  odsazená");
  r.OdpB = QStringLiteral("\"v uvozovkách\" a \\");
  r.Autor = QString();
  r.Korekce = 7;
  r.Hodnota = -3;
  const auto bytes = encodeRecord(r);
  ASSERT_TRUE(bytes);
  const SourceFile again = parse(toSource(QStringLiteral("04-025"), *decodeRecord(*bytes)).toUtf8());
  ASSERT_TRUE(again.diagnostics.empty()) << again.diagnostics.front().text().toStdString();
  ASSERT_EQ(again.questions.size(), 1u);
  EXPECT_EQ(again.questions[0].fileName, QStringLiteral("04-025.qst"));
  EXPECT_EQ(again.questions[0].bytes, *bytes);
}

}  // namespace
}  // namespace kvz
