#pragma once

// The generated sound and video files, read back for the tests.

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kvz::testing {

// The build folder: the tests get it from ctest; run by hand they sit in build/tests.
inline std::filesystem::path buildDir() {
  if (const char* dir = std::getenv("KVZ_BUILD_DIR"); dir && *dir) return dir;
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()).parent_path();
}

// A sound or video file of the game, by its name in assets/media_files.h ("\\snd\\r.wav").
inline std::filesystem::path mediaFile(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return buildDir() / name.substr(1);
}

inline std::vector<char> readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kvz::testing
