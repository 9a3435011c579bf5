#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

#include "questions/record.h"
#include "questions/source.h"
#include "questions/steps.h"

namespace kvz {

// A question as the checks see it: where it was written and what the game would read.
struct CheckedQuestion {
  QString origin;  // file shown in messages: "01.txt" or "qst/01-001.qst"
  int line = 0;    // of its "[NN-nnn]" line in a source; 0 for a question file
  int step = 0;    // from its name; 0 when the name is not a question file name
  int number = 0;
  ZaznamOtazky record;
};

// Step and number of a question file name in any letter case ("01-026.QST" gives 1, 26);
// nullopt for a name the game never builds ("001-001.qst", "1-001.qst") and any other name.
std::optional<std::pair<int, int>> questionFileNumbers(const std::string& name);

// Reads a question file for checking: the record (when whole) and what is wrong with the
// file itself (its size, its name).
struct CheckedFile {
  std::optional<CheckedQuestion> question;
  std::vector<Diagnostic> diagnostics;
};
CheckedFile checkQuestionFile(const std::filesystem::path& file, const QString& origin);

// What would go wrong with one question in the game: the right letter, the audience shares,
// empty texts. Warnings for what is odd but plays.
std::vector<Diagnostic> checkQuestion(const CheckedQuestion& question);

// Rules over a set of questions: the same question twice, the same file twice and, for a
// whole bank, a step of the game without any question.
std::vector<Diagnostic> checkBank(const std::vector<CheckedQuestion>& questions, bool wholeBank,
                                  const QString& bankName);

}  // namespace kvz
