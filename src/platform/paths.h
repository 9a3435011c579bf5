#pragma once

#include <QString>
#include <filesystem>
#include <string_view>

namespace kvz {

// Where the game's files lie: the folder that holds qst/ and snd/. That is the folder of
// the executable in a build, or <prefix>/share/games/kvizarion when installed.
class GamePaths {
public:
  explicit GamePaths(std::filesystem::path dataDir) : dataDir_(std::move(dataDir)) {}
  // Looks beside the executable first, then where the install puts the data
  // (../share/games/kvizarion from <prefix>/games).
  static GamePaths locate(const std::filesystem::path& executableDir);

  const std::filesystem::path& dataDir() const { return dataDir_; }
  std::filesystem::path questionDir() const { return dataDir_ / "qst"; }
  // The data folder followed by a literal written with backslashes, such as "\snd\bgm.wav".
  std::filesystem::path file(std::string_view backslashLiteral) const;
  QString fileName(std::string_view backslashLiteral) const;

private:
  std::filesystem::path dataDir_;
};

}  // namespace kvz
