#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
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

// What the readers of sources and of question tables share.
// A question's name "NN-nnn": step 01 to 15, number 001 to 025; nullopt for anything else.
std::optional<std::pair<int, int>> questionName(const QString& name);
QString questionNameRule();  // what such a name must look like, for messages
// A question named by step and number, with the defaults of the fields an author may leave
// out: no author, Korekce done (-1), Hodnota the step, ID the number.
SourceQuestion newQuestion(int step, int number, int line);
// A whole number from -32768 to 32767 as authors write it; Korekce also takes "ano" (-1) and
// "ne" (0), and is written back that way.
std::optional<std::int16_t> wholeNumber(const QString& text);
std::optional<std::int16_t> korekceNumber(const QString& text);
QString korekceText(std::int16_t korekce);
QString notAWholeNumber(const QString& text);  // why such texts are refused
QString notAKorekce(const QString& text);
// Autor, Korekce, Hodnota and ID may be left out; the other fields must be given.
bool isOptionalField(const QString& field);
// Fills the question's bytes and reads its record back as the game will; or the field that
// does not fit.
std::optional<RecordError> seal(SourceQuestion& question);

}  // namespace kvz
