#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "questions/record.h"
#include "questions/steps.h"

namespace kvz {

class RandomSource;

// The question files of a folder, named by step and number: "01-017.qst" is the 17th file
// of step 1. Numbers 1 to 25 count; a file is usable when a whole record can be read from it.
// Names are matched in any letter case; the lower-case spelling wins when both exist.
class QuestionBank {
public:
  explicit QuestionBank(std::filesystem::path folder) : folder_(std::move(folder)) {}
  const std::filesystem::path& folder() const { return folder_; }
  // The folder the files are read from: the one given, or the same name in another letter
  // case when only that exists ("QST").
  std::filesystem::path resolvedFolder() const;

  // The usable files of a step, in order of their number.
  std::vector<std::filesystem::path> usableFiles(int step) const;
  // One of them, each equally likely; nullopt when the step has no usable file.
  std::optional<std::filesystem::path> choose(int step, RandomSource& random) const;

private:
  std::filesystem::path folder_;
};

// Reads the record at the start of a question file; nullopt when the file cannot be opened
// or holds fewer than 496 bytes.
std::optional<ZaznamOtazky> readQuestion(const std::filesystem::path& file);

// "01-017.qst" for step 1, number 17.
std::string questionFileName(int step, int number);

}  // namespace kvz
