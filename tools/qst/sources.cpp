#include "sources.h"

#include <QFile>
#include <algorithm>

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

bool hasExtension(const fs::path& path, const char* lowerExtension) {
  return QString::fromStdString(path.extension().string()).compare(QLatin1String(lowerExtension), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool isSourceFile(const fs::path& path) { return hasExtension(path, ".txt"); }
bool isQuestionFile(const fs::path& path) { return hasExtension(path, ".qst"); }

std::vector<fs::path> filesOfFolder(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec))
    if (isSourceFile(it->path()) || isQuestionFile(it->path())) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<QByteArray> readWhole(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;  // a pipe would never end
  QFile file(QString::fromStdString(path.string()));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

void readSource(const fs::path& path, Inputs& into) {
  const std::optional<QByteArray> content = readWhole(path);
  if (!content) {
    into.diagnostics.push_back({shown(path), 0, Diagnostic::Severity::Error, QStringLiteral("cannot be read")});
    return;
  }
  SourceFile source = parseSource(shown(path), *content);
  into.diagnostics.insert(into.diagnostics.end(), source.diagnostics.begin(), source.diagnostics.end());
  for (SourceQuestion& q : source.questions)
    into.questions.push_back({shown(path), q.line, q.step, q.number, std::move(q.record)});
}

QString shown(const fs::path& path) { return QString::fromStdString(path.string()); }

}  // namespace kvz::qst
