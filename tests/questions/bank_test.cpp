#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <map>

#include "platform/random.h"
#include "questions/bank.h"
#include "questions/qst_test_files.h"

namespace kvz {
namespace {

namespace fs = std::filesystem;
using testing::QstFolder;

std::map<std::string, int> countDraws(const QuestionBank& bank, int step, int draws) {
  MtRandom random(20240611);
  std::map<std::string, int> counts;
  for (int i = 0; i < draws; ++i) {
    const auto file = bank.choose(step, random);
    ++counts[file ? file->filename().string() : "<none>"];
  }
  return counts;
}

std::vector<std::string> namesOf(const std::vector<fs::path>& files) {
  std::vector<std::string> names;
  for (const fs::path& file : files) names.push_back(file.filename().string());
  return names;
}

TEST(QuestionDraw, EveryFileOfAStepIsEquallyLikelyWhateverTheGaps) {
  const struct { std::vector<int> numbers; double chiSquareLimit; } steps[] = {
      {{4}, 0}, {{1, 9, 25}, 13.8}, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}, 51.2}};
  for (const auto& s : steps) {
    QstFolder folder;
    folder.addQuestion("02-001.qst");  // another step's file
    for (const int n : s.numbers) folder.addQuestion(questionFileName(3, n));
    const int draws = 100 * static_cast<int>(s.numbers.size());
    const auto counts = countDraws(QuestionBank(folder.path()), 3, draws);
    ASSERT_EQ(counts.size(), s.numbers.size());
    // Chi-square at its 99.9 % point for the degrees of freedom.
    double chiSquare = 0;
    for (const auto& [name, count] : counts) chiSquare += (count - 100.0) * (count - 100.0) / 100.0;
    EXPECT_LE(chiSquare, s.chiSquareLimit) << s.numbers.size() << " files";
  }
}

// Root reads any file whatever its permissions, and CI runs as root. While this lives, the
// calling thread reads as the files' owner would: its power to override file permissions is
// put aside, and taken back at the end. For anyone else it changes nothing.
class PermissionsBindRoot {
 public:
  PermissionsBindRoot() {
    syscall(SYS_capget, &header_, saved_);
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
    syscall(SYS_capset, &header_, lowered);
  }
  ~PermissionsBindRoot() { syscall(SYS_capset, &header_, saved_); }
  PermissionsBindRoot(const PermissionsBindRoot&) = delete;
  PermissionsBindRoot& operator=(const PermissionsBindRoot&) = delete;

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
};

TEST(QuestionDraw, FilesWithoutAWholeReadableRecordOrAProperNameAreNeverChosen) {
  QstFolder folder;
  for (const char* name : {"qst", "01-026.qst", "01-000.qst", "01-099.qst", "01-999.qst", "01-001.txt", "01-001.qst.bak",
                           "x01-001.qst", "01-001.qstx", "1-001.qst", "01-01.qst", "001-001.qst", "01_001.qst", "01-001",
                           ".01-001.qst"})
    folder.addQuestion(name);
  const auto whole = testing::recordBytes(testing::sampleQuestion());
  folder.addBytes("05-001.qst", {whole.begin(), whole.begin() + 495});
  folder.addBytes("05-002.qst", {});
  fs::create_directory(folder.path() / "05-003.qst");
  fs::create_symlink(folder.path() / "nowhere", folder.path() / "05-004.qst");
  ASSERT_EQ(mkfifo((folder.path() / "05-005.qst").c_str(), 0600), 0);  // would block a reader
  folder.addQuestion("05-006.qst");
  folder.addBytes("05-007.qst", std::vector<std::uint8_t>(600, 'x'));
  const fs::path unreadable = folder.addQuestion("05-008.qst");
  fs::permissions(unreadable, fs::perms::none);
  // Whether it was put aside shows below: the file must not open.
  const PermissionsBindRoot asOwner;
  const int fd = ::open(unreadable.c_str(), O_RDONLY);
  if (fd >= 0) ::close(fd);
  ASSERT_LT(fd, 0) << "05-008.qst is readable: its case would prove nothing";
  const QuestionBank bank(folder.path());
  MtRandom random(1);
  for (const int step : {-1, 0, 1}) EXPECT_FALSE(bank.choose(step, random)) << step;
  // A missing folder, or a file in its place, gives no question.
  for (const fs::path& path : {folder.path() / "missing", fs::path(), folder.path() / "qst"})
    EXPECT_FALSE(QuestionBank(path).choose(1, random)) << path;
  EXPECT_EQ(namesOf(bank.usableFiles(5)), (std::vector<std::string>{"05-006.qst", "05-007.qst"}));
  EXPECT_EQ(countDraws(bank, 5, 400).count("<none>"), 0u);
  EXPECT_EQ(readQuestion(folder.path() / "05-007.qst")->Zadani, QString(250, u'x'));  // only the first 496 bytes
}

TEST(QuestionDraw, NamesAndTheFolderInAnyLetterCaseAreFoundAndLowerCaseWins) {
  QstFolder outer;
  const fs::path upper = outer.path() / "QST";
  fs::create_directory(upper);
  for (const char* name : {"01-001.QST", "01-002.Qst", "01-002.qst", "01-003.QST"}) outer.addQuestion("QST/" + std::string(name));
  outer.addBytes("QST/01-003.qst", {1, 2, 3});  // broken: another spelling stands in
  const QuestionBank bank(outer.path() / "qst");
  ASSERT_EQ(namesOf(bank.usableFiles(1)), (std::vector<std::string>{"01-001.QST", "01-002.qst", "01-003.QST"}));
  EXPECT_EQ(bank.usableFiles(1).front().parent_path(), upper);
  fs::create_directory(outer.path() / "qst");
  EXPECT_EQ(bank.resolvedFolder(), outer.path() / "qst");
}

}  // namespace
}  // namespace kvz
