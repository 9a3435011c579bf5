#pragma once

// The generated sound and video files, read back for the tests.

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace kvz::testing {

// The build folder: the tests get it from ctest; run by hand they sit in build/tests.
inline std::filesystem::path buildDir() {
  if (const char* dir = std::getenv("KVZ_BUILD_DIR"); dir && *dir) return dir;
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()).parent_path();
}

inline std::filesystem::path sndFile(const char* name) { return buildDir() / "snd" / name; }

inline std::vector<char> readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kvz::testing
