#pragma once

#include <QByteArray>
#include <QString>
#include <QTextStream>
#include <filesystem>
#include <functional>
#include <vector>

namespace kvz::qst {

// The file operations of a folder write, one call each, so that a test can make any one fail.
class FileOps {
public:
  virtual ~FileOps() = default;
  // Writes a new file whole.
  virtual bool write(const std::filesystem::path& file, const QByteArray& content);
  // Puts an entry of the old folder into the new one: hard links (copies where a link is refused).
  virtual bool keep(const std::filesystem::path& from, const std::filesystem::path& to);
  // Puts the new folder in the old one's place in one step (or simply in place, when there was none).
  virtual bool swap(const std::filesystem::path& fresh, const std::filesystem::path& dir);
};

struct OutputFile {
  QString name;
  QByteArray content;
};

// Writes files into a folder, all or nothing. The new folder is made beside the old one, on
// the same file system: the files written, every other entry of the old folder kept unless
// `drop` says otherwise; then the two folders change places in one step. So an error, a full
// disk or a kill at any moment leaves the folder as it was or wholly new.
bool writeAll(const std::filesystem::path& dir, const std::vector<OutputFile>& files,
              const std::function<bool(const std::filesystem::path&)>& drop, QTextStream& err);
bool writeAll(const std::filesystem::path& dir, const std::vector<OutputFile>& files,
              const std::function<bool(const std::filesystem::path&)>& drop, QTextStream& err, FileOps& ops);

// Writes one file whole or not at all (a temporary beside it, renamed over it at the end).
bool writeOne(const std::filesystem::path& file, const QByteArray& content, QTextStream& err);

}  // namespace kvz::qst
