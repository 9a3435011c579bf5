#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <filesystem>
#include <optional>
#include <vector>

#include "questions/checks.h"
#include "questions/source.h"

namespace kvz::qst {

// A file or folder named on the command line, read for checking.
struct Inputs {
  std::vector<CheckedQuestion> questions;
  std::vector<Diagnostic> diagnostics;
};

// Sources end in .txt, question tables in .csv, question files in .qst (any letter case).
bool isSourceFile(const std::filesystem::path& path);
bool isTableFile(const std::filesystem::path& path);
bool isQuestionFile(const std::filesystem::path& path);

// The source and question files of a folder, by name.
std::vector<std::filesystem::path> filesOfFolder(const std::filesystem::path& folder);

// Reads a file whole; nullopt when it cannot be read.
std::optional<QByteArray> readWhole(const std::filesystem::path& path);

// Reads a source or a question table: its questions, and every fault with its line or row.
SourceFile readAuthored(const std::filesystem::path& path);

// Reads one source or table into checkable questions.
void readSource(const std::filesystem::path& path, Inputs& into);
// The questions of a source or table as the checks take them.
CheckedQuestion checkedOf(const QString& origin, const SourceQuestion& question);

// Every check that 'check' runs on a set of questions: the rules of each question, its texts
// measured on their plates, and the rules over the set (for a folder, as a whole bank).
std::vector<Diagnostic> checkAll(const std::vector<CheckedQuestion>& questions, bool wholeBank,
                                 const QString& bankName);

// Every question of sources, tables and question files, each named once; what is wrong
// with them, or the same name given twice, is in the diagnostics (the checks of checkAll not yet).
struct Collected {
  struct Question {
    QString name;  // "01-017"
    CheckedQuestion checked;
    std::array<std::uint8_t, kRecordSize> bytes{};
  };
  std::vector<Question> questions;
  std::vector<Diagnostic> diagnostics;
};
Collected collect(const std::vector<std::filesystem::path>& paths);

// Writes every diagnostic to err; true when one is an error.
bool report(const std::vector<Diagnostic>& diagnostics, QTextStream& err);


// The name NN-nnn of a question file, or its stem when it is no question file name.
QString questionHeader(const std::filesystem::path& file);

QString shown(const std::filesystem::path& path);
std::vector<std::filesystem::path> pathsOf(const QStringList& arguments);

}  // namespace kvz::qst
