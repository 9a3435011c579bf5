#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "platform/random.h"
#include "questions/bank.h"
#include "questions/qst_test_files.h"

namespace kvz {
namespace {

namespace fs = std::filesystem;
using testing::QstFolder;

// Gives the numbers it was told, over and over.
class ScriptedRandom final : public RandomSource {
public:
  explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
  void seedFromClock() override {}
  double next() override { return values_[index_++ % values_.size()]; }

private:
  std::vector<double> values_;
  std::size_t index_ = 0;
};

std::map<std::string, int> countDraws(const QuestionBank& bank, int step, int draws, std::uint64_t seed = 20240611) {
  MtRandom random(seed);
  std::map<std::string, int> counts;
  for (int i = 0; i < draws; ++i) {
    const auto file = bank.choose(step, random);
    if (!file) {
      ++counts["<none>"];
      continue;
    }
    ++counts[file->filename().string()];
  }
  return counts;
}

TEST(QuestionFileName, PadsStepAndNumberWithZeros) {
  EXPECT_EQ(questionFileName(1, 17), "01-017.qst");
  EXPECT_EQ(questionFileName(3, 4), "03-004.qst");
  EXPECT_EQ(questionFileName(15, 25), "15-025.qst");
}

TEST(QuestionDraw, TwentyFiveFilesAreEquallyLikely) {
  QstFolder folder;
  for (int n = 1; n <= 25; ++n) folder.addQuestion(questionFileName(2, n));
  const QuestionBank bank(folder.path());
  constexpr int kDraws = 2500;
  const auto counts = countDraws(bank, 2, kDraws);
  ASSERT_EQ(counts.size(), 25u);
  // Chi-square with 24 degrees of freedom; 51.2 is its 99.9 % point.
  const double expected = kDraws / 25.0;
  double chiSquare = 0;
  for (const auto& [name, count] : counts) chiSquare += (count - expected) * (count - expected) / expected;
  EXPECT_LT(chiSquare, 51.2);
}

TEST(QuestionDraw, TheOnlyFileOfAStepIsAlwaysChosen) {
  QstFolder folder;
  folder.addQuestion("03-004.qst");
  folder.addQuestion("02-001.qst");
  const QuestionBank bank(folder.path());
  const auto counts = countDraws(bank, 3, 200);
  EXPECT_EQ(counts, (std::map<std::string, int>{{"03-004.qst", 200}}));
  const auto read = readQuestion(folder.path() / "03-004.qst");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Zadani.trimmed(), QStringLiteral("Otázka 03-004.qst"));
}

TEST(QuestionDraw, GapsInTheNumberingKeepTheFilesEquallyLikely) {
  QstFolder folder;
  for (const int n : {1, 9, 25}) folder.addQuestion(questionFileName(1, n));
  const QuestionBank bank(folder.path());
  const auto counts = countDraws(bank, 1, 900);
  ASSERT_EQ(counts.size(), 3u);
  for (const auto& [name, count] : counts) EXPECT_NEAR(count, 300, 60) << name;
}

TEST(QuestionDraw, TheFirstAndLastNumberAreReachedAtTheEndsOfTheRange) {
  QstFolder folder;
  for (const int n : {2, 7, 20}) folder.addQuestion(questionFileName(4, n));
  const QuestionBank bank(folder.path());
  ScriptedRandom low({0.0});
  ScriptedRandom high({0.9999999999});
  EXPECT_EQ(bank.choose(4, low)->filename(), "04-002.qst");
  EXPECT_EQ(bank.choose(4, high)->filename(), "04-020.qst");
}

TEST(QuestionDraw, NamesOutsideTheRuleAreNeverChosen) {
  QstFolder folder;
  for (const char* name : {"01-026.qst", "01-000.qst", "01-099.qst", "01-999.qst", "02-001.qst",
                           "01-001.txt", "01-001.qst.bak", "x01-001.qst", "01-001.qstx", "1-001.qst",
                           "01-01.qst", "001-001.qst", "01_001.qst", "01-001", ".01-001.qst"})
    folder.addQuestion(name);
  const QuestionBank bank(folder.path());
  EXPECT_TRUE(bank.usableFiles(1).empty());
  MtRandom random(1);
  EXPECT_FALSE(bank.choose(1, random));
  EXPECT_FALSE(bank.choose(0, random));
  EXPECT_FALSE(bank.choose(-1, random));
  ASSERT_TRUE(bank.choose(2, random));
  EXPECT_EQ(bank.choose(2, random)->filename(), "02-001.qst");
}

TEST(QuestionDraw, AnEmptyOrMissingFolderGivesNoQuestion) {
  QstFolder folder;
  MtRandom random(1);
  EXPECT_FALSE(QuestionBank(folder.path()).choose(1, random));
  EXPECT_FALSE(QuestionBank(folder.path() / "missing").choose(1, random));
  EXPECT_FALSE(QuestionBank("").choose(1, random));
  // A file where the folder should be.
  const fs::path notAFolder = folder.addQuestion("qst");
  EXPECT_FALSE(QuestionBank(notAFolder).choose(1, random));
}

TEST(QuestionDraw, FilesWithoutAWholeRecordAreNeverChosen) {
  QstFolder folder;
  const auto whole = testing::recordBytes(testing::sampleQuestion());
  folder.addBytes("05-001.qst", {whole.begin(), whole.begin() + 495});
  folder.addBytes("05-002.qst", {});
  fs::create_directory(folder.path() / "05-003.qst");
  fs::create_symlink(folder.path() / "nowhere", folder.path() / "05-004.qst");
  ASSERT_EQ(mkfifo((folder.path() / "05-005.qst").c_str(), 0600), 0);  // would block a reader
  folder.addQuestion("05-006.qst");
  folder.addBytes("05-007.qst", std::vector<std::uint8_t>(600, 'x'));
  const QuestionBank bank(folder.path());
  const auto usable = bank.usableFiles(5);
  ASSERT_EQ(usable.size(), 2u);
  EXPECT_EQ(usable[0].filename(), "05-006.qst");
  EXPECT_EQ(usable[1].filename(), "05-007.qst");
  const auto counts = countDraws(bank, 5, 400);
  EXPECT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts.count("<none>"), 0u);
}

TEST(QuestionDraw, AFileThatCannotBeOpenedIsNeverChosen) {
  QstFolder folder;
  // A link to nowhere has the right name but cannot be opened, even by the superuser.
  fs::create_symlink(folder.path() / "gone.qst", folder.path() / "01-002.qst");
  if (geteuid() != 0) {
    const fs::path locked = folder.addQuestion("01-003.qst");
    fs::permissions(locked, fs::perms::none);
  }
  folder.addQuestion("01-004.qst");
  const auto usable = QuestionBank(folder.path()).usableFiles(1);
  ASSERT_EQ(usable.size(), 1u);
  EXPECT_EQ(usable[0].filename(), "01-004.qst");
  EXPECT_FALSE(readQuestion(folder.path() / "01-002.qst").has_value());
}

TEST(QuestionDraw, NamesInAnyLetterCaseAreFoundAndLowerCaseWins) {
  QstFolder folder;
  folder.addQuestion("01-001.QST");
  folder.addQuestion("01-002.Qst");
  folder.addQuestion("01-002.qst");
  const QuestionBank bank(folder.path());
  const auto usable = bank.usableFiles(1);
  ASSERT_EQ(usable.size(), 2u);
  EXPECT_EQ(usable[0].filename(), "01-001.QST");
  EXPECT_EQ(usable[1].filename(), "01-002.qst");
  EXPECT_EQ(readQuestion(usable[1])->Zadani.trimmed(), QStringLiteral("Otázka 01-002.qst"));
}

TEST(QuestionDraw, AnotherSpellingStandsInWhenTheLowerCaseFileIsBroken) {
  QstFolder folder;
  folder.addBytes("01-002.qst", {1, 2, 3});
  folder.addQuestion("01-002.QST");
  const auto usable = QuestionBank(folder.path()).usableFiles(1);
  ASSERT_EQ(usable.size(), 1u);
  EXPECT_EQ(usable[0].filename(), "01-002.QST");
}

TEST(QuestionDraw, AFolderNamedInCapitalsIsFound) {
  QstFolder outer;
  fs::create_directory(outer.path() / "QST");
  ASSERT_TRUE(fs::copy_file(testing::QstFolder().addQuestion("01-005.qst"), outer.path() / "QST" / "01-005.qst"));
  const QuestionBank bank(outer.path() / "qst");
  EXPECT_EQ(bank.resolvedFolder(), outer.path() / "QST");
  MtRandom random(3);
  const auto chosen = bank.choose(1, random);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, outer.path() / "QST" / "01-005.qst");
}

TEST(QuestionDraw, TheLowerCaseFolderWinsOverOneInCapitals) {
  QstFolder outer;
  fs::create_directory(outer.path() / "QST");
  fs::create_directory(outer.path() / "qst");
  EXPECT_EQ(QuestionBank(outer.path() / "qst").resolvedFolder(), outer.path() / "qst");
}

TEST(QuestionRead, GivesNothingForWhatIsNotAWholeRecord) {
  QstFolder folder;
  EXPECT_FALSE(readQuestion(folder.path() / "missing.qst"));
  EXPECT_FALSE(readQuestion(folder.path()));
  EXPECT_FALSE(readQuestion(folder.addBytes("short.qst", std::vector<std::uint8_t>(495, ' '))));
  EXPECT_TRUE(readQuestion(folder.addBytes("exact.qst", std::vector<std::uint8_t>(496, ' '))));
}

}  // namespace
}  // namespace kvz
