#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

namespace kvz::csv {

// Why a quoted text is refused: one wording for the tables' cells and the source's values.
inline constexpr char kNoClosingQuote[] = "the closing quote is missing";
inline constexpr char kTextAfterQuote[] = "text after the closing quote";

// One record of a CSV table. Rows are counted as a spreadsheet shows them, the first row
// being 1: a line break inside a quoted cell does not start a new row.
struct Row {
  int number = 0;
  QList<QByteArray> cells;  // as written, quotes removed; an empty line is one empty cell
};

struct Table {
  std::vector<Row> rows;
  int errorRow = 0;  // the row where reading stopped, and why; empty when all was read
  QString error;
};

// The separator of a table: a semicolon when its first row has more semicolons than commas
// outside quotes (as spreadsheets in a Czech locale save), else a comma.
char detectSeparator(const QByteArray& content);

// Reads RFC 4180 text: cells separated by `separator`, rows by CR LF, LF or CR; a cell in
// double quotes may hold separators, line breaks and doubled quotes. A UTF-8 byte-order mark
// at the start is skipped. Works on bytes: the cells' encoding is the caller's.
Table read(const QByteArray& content, char separator);

// Writes rows so that `read` with the same separator gives them back; a cell is quoted when
// it holds a comma, a semicolon, a quote or a line break, or begins or ends with a blank.
QByteArray write(const std::vector<QList<QByteArray>>& rows, char separator);

}  // namespace kvz::csv
