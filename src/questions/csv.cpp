#include "questions/csv.h"

#include <utility>

// Qt reads no CSV, and the one Debian library for it would need the same glue for the
// separator, the row numbers and the cells' encoding as the few lines it would replace.

namespace kvz::csv {
namespace {

constexpr char kQuote = '"';
const QByteArray kBom("\xEF\xBB\xBF");

QByteArrayView withoutBom(const QByteArray& content) {
  return content.startsWith(kBom) ? QByteArrayView(content).sliced(kBom.size()) : QByteArrayView(content);
}

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

bool needsQuotes(const QByteArray& cell) {
  for (const char c : cell)
    if (c == ',' || c == ';' || c == kQuote || isLineEnd(c)) return true;
  return cell.startsWith(' ') || cell.endsWith(' ');
}

}  // namespace

char detectSeparator(const QByteArray& content) {
  int semicolons = 0, commas = 0;
  bool quoted = false;
  for (const char c : withoutBom(content)) {
    if (c == kQuote) quoted = !quoted;
    if (quoted) continue;
    if (isLineEnd(c)) break;
    semicolons += c == ';';
    commas += c == ',';
  }
  return semicolons > commas ? ';' : ',';
}

Table read(const QByteArray& content, char separator) {
  const QByteArrayView text = withoutBom(content);
  const qsizetype size = text.size();
  Table table;
  Row row{1, {}};
  QByteArray cell;
  bool open = false;  // a row has begun and not yet ended
  auto fail = [&](const char* why) {
    table.errorRow = row.number;
    table.error = QString::fromLatin1(why);
    return table;
  };
  qsizetype i = 0;
  while (i < size) {
    open = true;
    if (text[i] == kQuote) {
      for (++i;; ++i) {
        if (i == size) return fail(kNoClosingQuote);
        if (text[i] != kQuote) cell += text[i];
        else if (i + 1 < size && text[i + 1] == kQuote) cell += text[++i];
        else break;
      }
      ++i;
      if (i < size && text[i] != separator && !isLineEnd(text[i])) return fail(kTextAfterQuote);
    } else {
      while (i < size && text[i] != separator && !isLineEnd(text[i])) cell += text[i++];
    }
    if (i == size) break;
    row.cells << std::exchange(cell, {});
    if (text[i++] == separator) continue;
    if (text[i - 1] == '\r' && i < size && text[i] == '\n') ++i;
    table.rows.push_back(std::exchange(row, Row{row.number + 1, {}}));
    open = false;
  }
  if (open) {
    row.cells << cell;
    table.rows.push_back(std::move(row));
  }
  return table;
}

QByteArray write(const std::vector<QList<QByteArray>>& rows, char separator) {
  QByteArray out = kBom;
  for (const QList<QByteArray>& cells : rows) {
    for (qsizetype i = 0; i < cells.size(); ++i) {
      if (i > 0) out += separator;
      if (!needsQuotes(cells[i])) {
        out += cells[i];
        continue;
      }
      QByteArray quoted = cells[i];
      out += kQuote + quoted.replace(kQuote, QByteArray(2, kQuote)) + kQuote;
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace kvz::csv
