#pragma once

// Where the tests find the generated sound and video files.

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

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

}  // namespace kvz::testing
