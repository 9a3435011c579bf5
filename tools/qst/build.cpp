#include <QFile>
#include <map>

#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "kvizarion-qst build SOURCE... -o DIR [--replace]\n"
    "\n"
    "Compiles question sources (UTF-8 text, [NN-nnn] blocks of 'Key: value' lines) into\n"
    "question files DIR/NN-nnn.qst of 496 bytes each. Any error (file:line: message) builds\n"
    "nothing. With --replace, question files in DIR that no source defines are removed, so\n"
    "that the game cannot draw a question that was taken out of the sources.\n";

struct Built {
  QString name;
  QString origin;
  std::array<std::uint8_t, kRecordSize> bytes;
};

// Writes every file beside its final name first and renames them only when all are
// written, so that a failure leaves the folder as it was.
bool writeAll(const fs::path& dir, const std::vector<Built>& files, QTextStream& err) {
  std::vector<std::pair<fs::path, fs::path>> staged;
  auto discard = [&] {
    for (const auto& [temporary, final] : staged) QFile::remove(QString::fromStdString(temporary.string()));
  };
  for (const Built& file : files) {
    const fs::path final = dir / file.name.toStdString();
    const fs::path temporary = dir / ("." + file.name.toStdString() + ".new");
    QFile out(QString::fromStdString(temporary.string()));
    const auto size = static_cast<qint64>(file.bytes.size());
    const bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         out.write(reinterpret_cast<const char*>(file.bytes.data()), size) == size && out.flush();
    out.close();
    staged.emplace_back(temporary, final);
    if (!written) {
      err << shown(final) << ": cannot be written; nothing was built\n";
      discard();
      return false;
    }
  }
  for (const auto& [temporary, final] : staged) {
    std::error_code ec;
    fs::rename(temporary, final, ec);
    if (ec) {
      err << shown(final) << ": cannot be written (" << QString::fromStdString(ec.message()) << ")\n";
      discard();
      return false;
    }
  }
  return true;
}

void removeOthers(const fs::path& dir, const std::vector<Built>& files, QTextStream& err) {
  for (const fs::path& path : filesOfFolder(dir)) {
    if (!isQuestionFile(path)) continue;
    const QString name = QString::fromStdString(path.filename().string());
    const bool ours = std::any_of(files.begin(), files.end(), [&](const Built& b) { return b.name == name; });
    std::error_code ec;
    if (!ours && !fs::remove(path, ec)) err << shown(path) << ": warning: cannot be removed\n";
  }
}

}  // namespace

int buildCommand(const QStringList& args, Streams io) {
  if (wantsHelp(args)) {
    io.out << kHelp;
    return 0;
  }
  QStringList sources;
  QString outDir;
  bool replace = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("-o") && i + 1 < args.size()) outDir = args[++i];
    else if (args[i] == QLatin1String("--replace")) replace = true;
    else sources << args[i];
  }
  if (sources.isEmpty() || outDir.isEmpty()) {
    io.err << kHelp;
    return 2;
  }

  std::vector<Diagnostic> diagnostics;
  std::vector<Built> files;
  std::map<QString, QString> defined;  // file name -> where
  for (const QString& name : sources) {
    const fs::path path = name.toStdString();
    const std::optional<QByteArray> content = readWhole(path);
    if (!content) {
      diagnostics.push_back({name, 0, Diagnostic::Severity::Error, QStringLiteral("cannot be read")});
      continue;
    }
    SourceFile source = parseSource(name, *content);
    diagnostics.insert(diagnostics.end(), source.diagnostics.begin(), source.diagnostics.end());
    for (const SourceQuestion& q : source.questions) {
      const QString where = QStringLiteral("%1:%2").arg(name).arg(q.line);
      if (const auto [it, fresh] = defined.emplace(q.fileName, where); !fresh) {
        diagnostics.push_back({name, q.line, Diagnostic::Severity::Error,
                               QStringLiteral("%1 is already defined at %2").arg(q.fileName, it->second)});
        continue;
      }
      files.push_back({q.fileName, where, q.bytes});
    }
  }
  bool failed = false;
  for (const Diagnostic& d : diagnostics) {
    io.err << d.text() << '\n';
    failed = failed || d.isError();
  }
  if (failed) {
    io.err << "kvizarion-qst: errors found; nothing was built\n";
    return 1;
  }
  const fs::path dir = outDir.toStdString();
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    io.err << outDir << ": cannot make the folder; nothing was built\n";
    return 1;
  }
  if (!writeAll(dir, files, io.err)) return 1;
  if (replace) removeOthers(dir, files, io.err);
  io.out << "built " << files.size() << " question files in " << outDir << '\n';
  return 0;
}

bool wantsHelp(const QStringList& args) {
  return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

}  // namespace kvz::qst
