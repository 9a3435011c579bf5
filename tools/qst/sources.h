#pragma once

#include <QString>
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

// Source files end in .txt, question files in .qst (any letter case).
bool isSourceFile(const std::filesystem::path& path);
bool isQuestionFile(const std::filesystem::path& path);

// The source and question files of a folder, by name.
std::vector<std::filesystem::path> filesOfFolder(const std::filesystem::path& folder);

// Reads a file whole; nullopt when it cannot be read.
std::optional<QByteArray> readWhole(const std::filesystem::path& path);

// Reads one source file into checkable questions.
void readSource(const std::filesystem::path& path, Inputs& into);

QString shown(const std::filesystem::path& path);

}  // namespace kvz::qst
