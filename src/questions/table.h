#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "questions/source.h"

namespace kvz {

// A question table, as authors keep the questions in a spreadsheet and save them as CSV: a
// header row naming the columns, then one row per question. The columns are "Soubor" (the
// question's name NN-nnn, as in a source) and the record's fields Zadani to ID, in any order;
// Autor, Korekce, Hodnota and ID may be left out, and empty Korekce and Hodnota cells take
// their defaults, as in a source.

// Reads a table in UTF-8 (with or without a byte-order mark), separated by commas or by
// semicolons. Every fault is reported with its row as a spreadsheet numbers it (the header
// is row 1); a row with a fault is left out, and empty rows are skipped.
SourceFile parseTable(const QString& fileName, const QByteArray& content);

// A question as a row: its name NN-nnn and its record.
struct TableEntry {
  QString name;
  ZaznamOtazky record;
};

// Writes questions as a table that parseTable reads back field for field: UTF-8 with a
// byte-order mark and semicolons, which a spreadsheet in a Czech locale opens as it is.
QByteArray toTable(const std::vector<TableEntry>& entries);

}  // namespace kvz
