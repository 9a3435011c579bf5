#include "sources.h"

#include <QFile>
#include <algorithm>
#include <map>

#include "questions/bank.h"
#include "questions/table.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

bool hasExtension(const fs::path& path, const char* lowerExtension) {
  return QString::fromStdString(path.extension().string()).compare(QLatin1String(lowerExtension), Qt::CaseInsensitive) == 0;
}

Diagnostic errorOf(const fs::path& path, int line, const QString& message) {
  return {shown(path), line, Diagnostic::Severity::Error, message};
}

}  // namespace

bool isSourceFile(const fs::path& path) { return hasExtension(path, ".txt"); }
bool isTableFile(const fs::path& path) { return hasExtension(path, ".csv"); }
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

SourceFile readAuthored(const fs::path& path) {
  const std::optional<QByteArray> content = readWhole(path);
  if (!content) return {{}, {errorOf(path, 0, QStringLiteral("cannot be read"))}};
  return isTableFile(path) ? parseTable(shown(path), *content) : parseSource(shown(path), *content);
}

void readSource(const fs::path& path, Inputs& into) {
  SourceFile source = readAuthored(path);
  into.diagnostics.insert(into.diagnostics.end(), source.diagnostics.begin(), source.diagnostics.end());
  for (const SourceQuestion& q : source.questions) into.questions.push_back(checkedOf(shown(path), q));
}

CheckedQuestion checkedOf(const QString& origin, const SourceQuestion& q) {
  return {origin, q.line, q.step, q.number, q.record};
}

Collected collect(const std::vector<fs::path>& paths) {
  Collected all;
  std::map<QString, CheckedQuestion> defined;  // by name, where each was given first
  auto add = [&](const QString& name, const CheckedQuestion& q, const std::array<std::uint8_t, kRecordSize>& bytes) {
    if (const auto [it, fresh] = defined.emplace(name, q); !fresh) all.diagnostics.push_back(givenTwice(q, it->second));
    else all.questions.push_back({name, q, bytes});
  };
  for (const fs::path& path : paths) {
    if (isQuestionFile(path)) {
      CheckedFile file = checkQuestionFile(path, shown(path));
      all.diagnostics.insert(all.diagnostics.end(), file.diagnostics.begin(), file.diagnostics.end());
      if (file.question && file.question->step > 0)
        add(questionHeader(path), *file.question, *encodeRecord(file.question->record));
      continue;
    }
    const SourceFile source = readAuthored(path);
    all.diagnostics.insert(all.diagnostics.end(), source.diagnostics.begin(), source.diagnostics.end());
    for (const SourceQuestion& q : source.questions) add(q.fileName.chopped(4), checkedOf(shown(path), q), q.bytes);
  }
  return all;
}

bool report(const std::vector<Diagnostic>& diagnostics, QTextStream& err) {
  bool failed = false;
  for (const Diagnostic& d : diagnostics) {
    err << d.text() << '\n';
    failed = failed || d.isError();
  }
  return failed;
}

QString questionHeader(const fs::path& file) {
  const auto numbers = questionFileNumbers(file.filename().string());
  if (numbers) return QString::fromStdString(questionFileName(numbers->first, numbers->second)).chopped(4);
  return QString::fromStdString(file.stem().string());
}

QString shown(const fs::path& path) { return QString::fromStdString(path.string()); }

std::vector<fs::path> pathsOf(const QStringList& arguments) {
  std::vector<fs::path> paths;
  for (const QString& argument : arguments) paths.emplace_back(argument.toStdString());
  return paths;
}

}  // namespace kvz::qst
