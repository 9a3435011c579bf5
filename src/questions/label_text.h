#pragma once

#include <QString>

namespace kvz {

// What a label shows of a text field of a question record: the field without the blanks
// (spaces only) at its ends, which pad the record's fixed width. A tab or a line break an
// author left in the text stays; the authors' tool measures exactly this text.
inline QString labelText(const QString& field) {
  qsizetype start = 0, end = field.size();
  while (start < end && field[start] == u' ') ++start;
  while (end > start && field[end - 1] == u' ') --end;
  return field.mid(start, end - start);
}

}  // namespace kvz
