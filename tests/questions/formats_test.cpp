#include <gtest/gtest.h>

#include <numeric>

#include "questions/checks.h"
#include "questions/qst_test_files.h"
#include "questions/record.h"
#include "questions/source.h"
#include "questions/table.h"

// Every way a question reaches its file: the record's bytes, the authors' source text and
// spreadsheet table, and the checks of the tool that builds them.
namespace kvz {
namespace {

using namespace Qt::StringLiterals;

// The bytes of the sample question with some fields changed.
std::vector<std::uint8_t> sampleBytes(void (*change)(ZaznamOtazky&)) {
  ZaznamOtazky r = testing::sampleQuestion();
  change(r);
  return testing::recordBytes(r);
}

// The texts of reported faults, in order.
QStringList messagesOf(const std::vector<Diagnostic>& found) {
  QStringList texts;
  for (const Diagnostic& d : found) texts << d.text();
  return texts;
}

// Every message as expected: whole, or up to a closing "…" where the wording is another
// part's, pinned in that part's test (a field too long: QuestionRecord; quotes, numbers,
// Korekce and question names: QuestionSource); then the line and field alone.
bool matches(const QStringList& got, const char* expected) {
  const QStringList want = *expected ? QString::fromUtf8(expected).split(u'\n') : QStringList{};
  bool same = got.size() == want.size();
  for (qsizetype i = 0; same && i < got.size(); ++i)
    same = want[i].endsWith(u'…') ? got[i].startsWith(want[i].chopped(1)) : got[i] == want[i];
  return same;
}

using Bytes = std::vector<std::uint8_t>;

// A record whose every field holds its own letter, so a field read from the wrong offset or
// of the wrong width shows at once.
Bytes patternRecord() {
  Bytes bytes(kRecordSize, 0);
  const struct { std::size_t offset, width; char letter; } texts[] = {
      {0, 250, 'q'}, {250, 50, 'a'}, {300, 50, 'b'}, {350, 50, 'c'},
      {400, 50, 'd'}, {450, 1, 'C'}, {459, 30, 'r'}, {493, 3, '7'}};
  for (const auto& t : texts) std::fill_n(bytes.begin() + static_cast<long>(t.offset), t.width, t.letter);
  const struct { std::size_t offset; std::uint8_t low, high; } numbers[] = {
      {451, 0x01, 0x00}, {453, 0x02, 0x01}, {455, 0xFF, 0x7F}, {457, 0x00, 0x80}, {489, 0xFF, 0xFF}, {491, 0xFE, 0xFF}};
  for (const auto& n : numbers) {
    bytes[n.offset] = n.low;
    bytes[n.offset + 1] = n.high;
  }
  return bytes;
}

TEST(QuestionRecord, ReadsEveryFieldFromItsOwnPlaceAndWritesTheSameBytes) {
  const Bytes original = patternRecord();
  const auto r = decodeRecord(original);
  ASSERT_TRUE(r);
  const ZaznamOtazky expected{QString(250, u'q'), QString(50, u'a'), QString(50, u'b'), QString(50, u'c'),
                              QString(50, u'd'), u"C"_s, 1, 0x0102, 32767, -32768, QString(30, u'r'), -1, -2, u"777"_s};
  EXPECT_EQ(*r, expected);
  // Only -1 is a Korekce done (game/game_test.cpp reads "provedena" for it in the F10 box).
  for (const std::int16_t value : {0, 1, -2}) {
    ZaznamOtazky other = *r;
    other.Korekce = value;
    EXPECT_FALSE(other.korekceProvedena()) << value;
  }
  // Written again, every byte comes back: old files may hold any byte, including the five the
  // code page leaves unassigned.
  Bytes every(kRecordSize);
  std::iota(every.begin(), every.end(), std::uint8_t{0});
  const auto again = encodeRecord(*decodeRecord(every));
  EXPECT_EQ(Bytes(again->begin(), again->end()), every);
}

// Decoding uses the same code page: the round trip of every byte above would fail otherwise.
TEST(QuestionRecord, CzechLettersUseTheirWindows1250Bytes) {
  EXPECT_EQ(toWindows1250(u"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"_s),
            QByteArray("\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E"
                       "\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D\xDA\xD9\xDD\x8E"));
}

TEST(QuestionRecord, RefusesATextThatDoesNotFitAndNamesTheField) {
  // Each field's width and the other refusals: the source parser's fault table.
  ZaznamOtazky q = testing::sampleQuestion();
  q.Autor = QString(31, u'ř');
  RecordError error;
  EXPECT_FALSE(encodeRecord(q, &error));
  EXPECT_EQ(error.field + u' ' + error.reason, u"Autor is 31 characters long, at most 30 fit"_s);
  q.Autor = u"Señor"_s;
  EXPECT_FALSE(encodeRecord(q, &error));
  EXPECT_EQ(error.field + u' ' + error.reason, u"Autor has a character that Windows-1250 cannot hold"_s);
  EXPECT_EQ(toWindows1250(u"Plzeň"_s), QByteArray("Plze\xF2"));  // a refused text leaves nothing behind
}

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
  for (const auto& c : cases) EXPECT_EQ(onlyQuestion(c.text), sampleBytes(c.change)) << c.text.toStdString();
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
    const QStringList messages = messagesOf(file.diagnostics);
    EXPECT_TRUE(matches(messages, expected)) << messages.join(u'\n').toStdString();
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

const QByteArray kHeader = "Soubor;Zadani;OdpA;OdpB;OdpC;OdpD;Spravna;DivaciA;DivaciB;DivaciC;DivaciD;Autor;Korekce;Hodnota;ID";
const QByteArray kRow = "01-001;Otázka x;Brno;Praha;Ostrava;Plzeň;B;4;88;5;3;Tým;ano;1;001";

QByteArray table(std::initializer_list<QByteArray> rows) {
  QByteArray text;
  for (const QByteArray& row : rows) text += row + "\n";
  return text;
}

// What a table gives: its error messages, or the bytes of its one question.
struct Outcome {
  QStringList errors;
  std::vector<std::uint8_t> bytes;
};

Outcome read(const QByteArray& csv) {
  const SourceFile file = parseTable(QStringLiteral("t.csv"), csv);
  Outcome outcome{messagesOf(file.diagnostics), {}};
  for (const SourceQuestion& q : file.questions) {
    for (const Diagnostic& d : checkQuestion({QStringLiteral("t.csv"), q.line, q.step, q.number, q.record}))
      if (d.isError()) outcome.errors << d.text();
    outcome.bytes.assign(q.bytes.begin(), q.bytes.end());
  }
  return outcome;
}

TEST(QuestionTable, EachEdgeGivesTheRightRecordOrAnErrorWithItsRow) {
  using Change = void (*)(ZaznamOtazky&);
  const Change same = [](ZaznamOtazky&) {};
  const struct {
    const char* what;
    QByteArray csv;
    Change change;  // what the record differs in from the sample question; null when it fails
    const char* error = "";
  } cases[] = {
      {"nothing at all", "\xEF\xBB\xBF", nullptr},
      {"commas", table({QByteArray(kHeader).replace(';', ','), QByteArray(kRow).replace(';', ',')}), same},
      {"a byte-order mark and CR LF", "\xEF\xBB\xBF" + table({kHeader, kRow}).replace("\n", "\r\n"), same},
      {"quotes around separators and doubled quotes", table({kHeader, QByteArray(kRow).replace("Otázka x", "\"Co je \"\"a;b\"\", c?\"")}),
       [](ZaznamOtazky& r) { r.Zadani = QStringLiteral("Co je \"a;b\", c?"); }},
      {"blanks kept at the start, dropped at the end", table({kHeader, QByteArray(kRow).replace("Brno", "\"  Brno\"").replace(";B;", ";B  ;")}),
       [](ZaznamOtazky& r) { r.OdpA = QStringLiteral("  Brno"); }},
      {"empty rows skipped", table({kHeader, "", ";;;;;;", QByteArray(kRow).replace(";88;", ";8x;")}), nullptr, "t.csv:4: DivaciB: '8x' …"},
      {"a line break inside a field, the next row counted on",
       table({kHeader, QByteArray(kRow).replace("Otázka x", "\"dva\nřádky\""), QByteArray(kRow).replace("01-001", "01-002").replace(";4;", ";x;")}),
       nullptr, "t.csv:2: Zadani has a line break; a question file holds every text on one line\nt.csv:3: DivaciA: 'x' …"},
      {"fifty letters fit", table({kHeader, QByteArray(kRow).replace("Brno", QByteArray("ř").repeated(50))}),
       [](ZaznamOtazky& r) { r.OdpA = QString(50, u'ř'); }},
      {"fifty-one do not", table({kHeader, QByteArray(kRow).replace("Brno", QByteArray("ř").repeated(51))}), nullptr, "t.csv:2: OdpA is 51 …"},
      {"optional columns left out, and empty optional numbers",
       table({"Zadani,Soubor,OdpA,OdpB,OdpC,OdpD,Spravna,DivaciA,DivaciB,DivaciC,DivaciD,Korekce", "Otázka x,03-007,Brno,Praha,Ostrava,Plzeň,B,4,88,5,3,"}),
       [](ZaznamOtazky& r) { std::tie(r.Autor, r.Hodnota, r.ID) = std::tuple(QString(), 3, QStringLiteral("007")); }},
      {"Korekce as a number, Soubor as a file name", table({kHeader, QByteArray(kRow).replace("ano", "5").replace("01-001", "01-001.QST")}),
       [](ZaznamOtazky& r) { r.Korekce = 5; }},
      {"a missing column", table({QByteArray(kHeader).replace("Spravna;", ""), kRow}), nullptr, "t.csv:1: the column Spravna is missing"},
      {"an unknown column", table({kHeader + ";Obtiznost", kRow + ";3"}), nullptr,
       "t.csv:1: unknown column 'Obtiznost' (columns: Soubor, Zadani, OdpA, OdpB, OdpC, OdpD, Spravna, DivaciA, "
       "DivaciB, DivaciC, DivaciD, Autor, Korekce, Hodnota, ID)"},
      {"a column twice", table({kHeader + ";zadani", kRow}), nullptr, "t.csv:1: the column Zadani is there twice"},
      {"a cell beyond the columns", table({kHeader, kRow + ";navíc"}), nullptr, "t.csv:2: 'navíc' lies outside the named columns"},
      {"a quote never closed", table({kHeader, kRow, "01-002;\"Otázka;"}), nullptr, "t.csv:3: the closing quote …"},
      {"a bad Korekce", table({kHeader, QByteArray(kRow).replace("ano", "asi")}), nullptr, "t.csv:2: Korekce …"},
      {"a table saved in Windows-1250", table({kHeader, QByteArray(kRow).replace("Plzeň", "Plze\xF2")}), nullptr,
       "t.csv:2: OdpD is not UTF-8 text; save the table as CSV in UTF-8"},
      {"text after a closing quote", table({kHeader, QByteArray(kRow).replace("Brno", "\"Br\"no")}), nullptr, "t.csv:2: text after …"},
      {"a bad name", table({kHeader, QByteArray(kRow).replace("01-001", "1-001")}), nullptr, "t.csv:2: Soubor '1-001' is no question name: …"},
      {"no name", table({kHeader, QByteArray(kRow).replace("01-001", "")}), nullptr, "t.csv:2: Soubor is empty; it names the question: …"},
      {"the same name twice", table({kHeader, kRow, QByteArray(kRow).replace("Otázka x", "Jiná")}), same, "t.csv:3: 01-001 is already in row 2"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = read(c.csv);
    EXPECT_TRUE(matches(outcome.errors, c.error)) << c.what << ": " << outcome.errors.join(u'\n').toStdString();
    EXPECT_EQ(outcome.bytes, c.change ? sampleBytes(c.change) : std::vector<std::uint8_t>{}) << c.what;
  }
}

CheckedQuestion question(int step = 1, int number = 1, const QString& tag = u"x"_s) {
  return {u"01.txt"_s, 10 * number, step, number, testing::sampleQuestion(tag)};
}

TEST(QuestionCheck, ReportsWhatGoesWrongInAGameAndWarnsOfWhatIsOdd) {
  const struct {
    void (*change)(CheckedQuestion&);
    QStringList expected;
  } cases[] = {
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
    EXPECT_EQ(messagesOf(checkQuestion(q)), c.expected);
  }
}

TEST(QuestionBankCheck, FindsTheSameQuestionOrFileTwiceAndStepsWithoutAQuestion) {
  std::vector<CheckedQuestion> set{question(1, 1, u"stejná"_s), question(2, 2, u"jiná"_s), question(4, 4), question(6, 6)};
  set[2].record.Zadani = u"  OTÁZKA   STEJNÁ "_s;  // the same whatever the blanks and case
  std::tie(set[3].number, set[3].step, set[3].line) = std::tuple(2, 2, 99);
  EXPECT_EQ(messagesOf(checkBank(set, false, {})),
            (QStringList{u"01.txt:40: the same question as 01.txt:10"_s,
                         u"01.txt:99: 02-002.qst is already given by 01.txt:20"_s}));
  EXPECT_EQ(messagesOf(checkBank(set, true, u"qst"_s)).mid(2),
            (QStringList{u"qst: no question for step 3: a game that reaches it ends with a message"_s,
                         u"qst: no question for step 5: a game that reaches it ends with a message"_s}));
  EXPECT_EQ(checkBank({}, true, u"qst"_s).size(), 5u);
}

}  // namespace
}  // namespace kvz
