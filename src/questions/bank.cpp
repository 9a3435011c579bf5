#include "questions/bank.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "platform/random.h"

namespace kvz {
namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); });
  return text;
}

bool isRegularFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);  // follows links; a dangling link is not a file
}

// The first record's bytes; nullopt when the file cannot be opened or is too short. Only
// regular files are opened: opening a pipe or a device of that name could wait for ever.
std::optional<std::array<std::uint8_t, kRecordSize>> readRecordBytes(const fs::path& file) {
  if (!isRegularFile(file)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::array<std::uint8_t, kRecordSize> bytes{};
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(in.gcount()) != bytes.size()) return std::nullopt;
  return bytes;
}

// The names in a folder as they are written, one list per name folded to lower case.
// The game's question files were named on a file system that ignores letter case, so
// "01-001.QST" must still be found; when two spellings of one name exist, the one written
// in lower case (as the game writes it) comes first and the others follow by name.
std::map<std::string, std::vector<std::string>> namesByFoldedName(const fs::path& folder) {
  std::map<std::string, std::vector<std::string>> names;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    names[lowerAscii(name)].push_back(std::move(name));
  }
  for (auto& [folded, spellings] : names) {
    std::sort(spellings.begin(), spellings.end(), [&folded = folded](const std::string& a, const std::string& b) {
      if ((a == folded) != (b == folded)) return a == folded;
      return a < b;
    });
  }
  return names;
}

}  // namespace

std::string questionFileName(int step, int number) {
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%02d-%03d.qst", step, number);
  return buffer.data();
}

// The folder as given, or, when it does not exist, a folder of the same name in another
// letter case beside it ("QST" for "qst").
fs::path QuestionBank::resolvedFolder() const {
  std::error_code ec;
  if (fs::is_directory(folder_, ec) || folder_.filename().empty()) return folder_;
  const fs::path parent = folder_.has_parent_path() ? folder_.parent_path() : fs::path(".");
  const auto names = namesByFoldedName(parent);
  const auto found = names.find(lowerAscii(folder_.filename().string()));
  if (found == names.end()) return folder_;
  for (const std::string& spelling : found->second)
    if (fs::is_directory(parent / spelling, ec)) return parent / spelling;
  return folder_;
}

std::vector<fs::path> QuestionBank::usableFiles(int step) const {
  std::vector<fs::path> usable;
  if (step < 1) return usable;
  const fs::path folder = resolvedFolder();
  const auto names = namesByFoldedName(folder);
  for (int number = 1; number <= kFilesPerStep; ++number) {
    const auto found = names.find(questionFileName(step, number));
    if (found == names.end()) continue;
    for (const std::string& spelling : found->second) {
      if (readRecordBytes(folder / spelling)) {
        usable.push_back(folder / spelling);
        break;
      }
    }
  }
  return usable;
}

// Every usable file of the step is equally likely, as if file numbers 1 to 25 were drawn
// until one names a file; listing the files first keeps the draw finite when there is none.
std::optional<fs::path> QuestionBank::choose(int step, RandomSource& random) const {
  const std::vector<fs::path> usable = usableFiles(step);
  if (usable.empty()) return std::nullopt;
  const int pick = random.draw(static_cast<int>(usable.size()));
  return usable[static_cast<std::size_t>(pick - 1)];
}

std::optional<ZaznamOtazky> readQuestion(const fs::path& file) {
  const auto bytes = readRecordBytes(file);
  if (!bytes) return std::nullopt;
  return decodeRecord(*bytes);
}

}  // namespace kvz
