#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "questions/record.h"

namespace kvz {

// A message about a question file or source, for its author: "file:line: message".
struct Diagnostic {
  enum class Severity { Error, Warning };
  QString file;
  int line = 0;  // 0: the file as a whole
  Severity severity = Severity::Error;
  QString message;

  bool isError() const { return severity == Severity::Error; }
  QString text() const;
};

// One question of a source file: "[01-017]" followed by its keys.
struct SourceQuestion {
  int step = 0;
  int number = 0;
  QString fileName;  // "01-017.qst"
  int line = 0;      // of the "[01-017]" line
  ZaznamOtazky record;  // as the game reads it from the file
  std::array<std::uint8_t, kRecordSize> bytes{};
};

struct SourceFile {
  std::vector<SourceQuestion> questions;  // only those without errors
  std::vector<Diagnostic> diagnostics;
  bool hasErrors() const;
};

// Reads the UTF-8 question source format (one "[NN-nnn]" block of "Key: value" lines per
// question). Every fault is reported with its line; a question with a fault is left out.
SourceFile parseSource(const QString& fileName, const QByteArray& content);

// Writes a record back in the source format, so that a dump can be built again.
QString toSource(const QString& header, const ZaznamOtazky& record);

}  // namespace kvz
