#include "platform/paths.h"

// Set by the build from the install layout; this default is Debian's layout for games.
#ifndef KVZ_DATA_FROM_GAMEDIR
#define KVZ_DATA_FROM_GAMEDIR "../share/games/kvizarion"
#endif

namespace kvz {

GamePaths GamePaths::locate(const std::filesystem::path& executableDir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(executableDir / "snd", ec) || fs::is_directory(executableDir / "qst", ec))
    return GamePaths(executableDir);
  const fs::path installed = (executableDir / KVZ_DATA_FROM_GAMEDIR).lexically_normal();
  if (fs::is_directory(installed, ec)) return GamePaths(installed);
  return GamePaths(executableDir);
}

std::filesystem::path GamePaths::file(std::string_view backslashLiteral) const {
  std::filesystem::path result = dataDir_;
  std::size_t start = 0;
  while (start <= backslashLiteral.size()) {
    const std::size_t end = std::min(backslashLiteral.find('\\', start), backslashLiteral.size());
    if (end > start) result /= std::string(backslashLiteral.substr(start, end - start));
    start = end + 1;
  }
  return result;
}

QString GamePaths::fileName(std::string_view backslashLiteral) const {
  return QString::fromStdString(file(backslashLiteral).string());
}

}  // namespace kvz
