// Reading question files: the record codec on any bytes, and the draw over a folder whose
// names, kinds and contents come from the input.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/random.h"
#include "questions/bank.h"

namespace {

namespace fs = std::filesystem;

class FixedRandom final : public kvz::RandomSource {
public:
  explicit FixedRandom(double u) : u_(u) {}
  void seedFromClock() override {}
  double next() override { return u_; }

private:
  double u_;
};

void require(bool condition) {
  if (!condition) std::abort();
}

void checkRecord(const std::uint8_t* data, std::size_t size) {
  const auto record = kvz::decodeRecord({data, size});
  require(record.has_value() == (size >= kvz::kRecordSize));
  if (!record) return;
  // Whatever bytes a file holds, writing its record again gives them back.
  const auto bytes = kvz::encodeRecord(*record);
  require(bytes.has_value());
  require(std::equal(bytes->begin(), bytes->end(), data));
}

// Never destroyed, so that the clean-up at exit can still name it.
const fs::path& folder() {
  static const fs::path* dir = [] {
    auto* d = new fs::path(fs::temp_directory_path() / ("kvz-fuzz-qst-" + std::to_string(getpid())));
    fs::create_directories(*d);
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(folder(), ec);
    });
    return d;
  }();
  return *dir;
}

// Entries of 4 header bytes (name, variant, length low, high) followed by the contents.
void makeFolder(const std::uint8_t* data, std::size_t size) {
  std::error_code ec;
  fs::remove_all(folder(), ec);
  fs::create_directories(folder());
  std::size_t at = 0;
  for (int entry = 0; entry < 12 && at + 4 <= size; ++entry) {
    const int step = 1 + data[at] % 3;
    const int number = data[at] / 3 % (kvz::kFilesPerStep + 5);  // some outside 1..kFilesPerStep
    const int variant = data[at + 1];
    const std::size_t length = std::min<std::size_t>(data[at + 2] | (data[at + 3] << 8), size - at - 4);
    std::string name = kvz::questionFileName(step, number);
    if (variant & 1) name = name.substr(0, name.size() - 3) + "QST";
    if (variant & 2) name += ".bak";
    const fs::path path = folder() / name;
    switch (variant >> 2 & 3) {
      case 1: fs::create_directory(path, ec); break;
      case 2: fs::create_symlink(folder() / "nowhere", path, ec); break;
      default: {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + at + 4), static_cast<std::streamsize>(length));
      }
    }
    at += 4 + length;
  }
}

void checkDraw(double u) {
  const kvz::QuestionBank bank(folder());
  for (int step = 0; step <= 4; ++step) {
    const auto usable = bank.usableFiles(step);
    FixedRandom random(u);
    const auto chosen = bank.choose(step, random);
    require(chosen.has_value() == !usable.empty());
    if (!chosen) continue;
    require(std::find(usable.begin(), usable.end(), *chosen) != usable.end());
    require(kvz::readQuestion(*chosen).has_value());
    for (const fs::path& file : usable) {
      std::string name = file.filename().string();
      std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
      require(name.size() == 10 && name.compare(0, 3, kvz::questionFileName(step, 1).substr(0, 3)) == 0);
      const int number = std::stoi(name.substr(3, 3));
      require(number >= 1 && number <= kvz::kFilesPerStep);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkRecord(data, size);
  makeFolder(data, size);
  checkDraw(size > 0 ? data[0] / 256.0 : 0.0);
  return 0;
}
