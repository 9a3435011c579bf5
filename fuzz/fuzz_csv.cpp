// The question table reader on any bytes: the CSV cells come back through the writer, and
// every question it accepts comes back field for field through a written table.
#include <cstdlib>

#include "questions/csv.h"
#include "questions/table.h"
#include "questions/steps.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

bool sameRows(const kvz::csv::Table& a, const kvz::csv::Table& b) {
  if (a.rows.size() != b.rows.size()) return false;
  for (std::size_t i = 0; i < a.rows.size(); ++i)
    if (a.rows[i].cells != b.rows[i].cells || b.rows[i].number != static_cast<int>(i) + 1) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  const char separator = kvz::csv::detectSeparator(content);
  const kvz::csv::Table cells = kvz::csv::read(content, separator);
  require(cells.error.isEmpty() == (cells.errorRow == 0));
  if (cells.error.isEmpty()) {
    std::vector<QList<QByteArray>> rows;
    for (const kvz::csv::Row& row : cells.rows) rows.push_back(row.cells);
    const QByteArray written = kvz::csv::write(rows, separator);
    require(kvz::csv::detectSeparator(written) == separator || rows.empty() || rows.front().size() == 1);
    require(sameRows(cells, kvz::csv::read(written, separator)));
  }

  const kvz::SourceFile table = kvz::parseTable(QStringLiteral("fuzz.csv"), content);
  std::vector<kvz::TableEntry> entries;
  for (const kvz::Diagnostic& d : table.diagnostics) require(d.isError() && d.line >= 1 && !d.message.isEmpty());
  for (const kvz::SourceQuestion& q : table.questions) {
    require(q.step >= 1 && q.step <= kvz::kLadderSteps && q.number >= 1 && q.number <= kvz::kFilesPerStep && q.line >= 2);
    require(kvz::decodeRecord(q.bytes) == q.record);
    entries.push_back({q.fileName.chopped(4), q.record});
  }
  const kvz::SourceFile again = kvz::parseTable(QStringLiteral("again.csv"), kvz::toTable(entries));
  require(again.diagnostics.empty() && again.questions.size() == table.questions.size());
  for (std::size_t i = 0; i < again.questions.size(); ++i) require(again.questions[i].bytes == table.questions[i].bytes);
  return 0;
}
