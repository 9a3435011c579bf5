#include <gtest/gtest.h>

#include "questions/checks.h"
#include "questions/qst_test_files.h"
#include "questions/table.h"

namespace kvz {
namespace {

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
  Outcome outcome{testing::messagesOf(file.diagnostics), {}};
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
      {"semicolons", table({kHeader, kRow}), same},
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
    EXPECT_TRUE(testing::matches(outcome.errors, c.error)) << c.what << ": " << outcome.errors.join(u'\n').toStdString();
    EXPECT_EQ(outcome.bytes, c.change ? testing::sampleBytes(c.change) : std::vector<std::uint8_t>{}) << c.what;
  }
}

}  // namespace
}  // namespace kvz
