#include <QFile>

#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "kvizarion-qst build SOURCE... -o DIR [--replace]\n"
    "\n"
    "Compiles question sources (UTF-8 text, [NN-nnn] blocks of 'Key: value' lines) or question\n"
    "tables (.csv, see 'import') into question files DIR/NN-nnn.qst of 496 bytes each. Any\n"
    "error (file:line: message) builds nothing. With --replace, question files in DIR that\n"
    "no source defines are removed, so that the game cannot draw a question that was taken\n"
    "out of the sources.\n";

void removeOthers(const fs::path& dir, const std::vector<OutputFile>& files, QTextStream& err) {
  for (const fs::path& path : filesOfFolder(dir)) {
    if (!isQuestionFile(path)) continue;
    const QString name = QString::fromStdString(path.filename().string());
    const bool ours = std::any_of(files.begin(), files.end(), [&](const OutputFile& f) { return f.name == name; });
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
  const auto [sources, outDir, replace] = folderArgs(args);
  if (sources.isEmpty() || outDir.isEmpty()) {
    io.err << kHelp;
    return 2;
  }

  const Collected all = collect(pathsOf(sources));
  if (report(all.diagnostics, io.err)) {
    io.err << "kvizarion-qst: errors found; nothing was built\n";
    return 1;
  }
  std::vector<OutputFile> files;
  for (const Collected::Question& q : all.questions)
    files.push_back({q.name + QStringLiteral(".qst"),
                     QByteArray(reinterpret_cast<const char*>(q.bytes.data()), static_cast<qsizetype>(q.bytes.size()))});
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

FolderArgs folderArgs(const QStringList& args) {
  FolderArgs parsed;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("-o") && i + 1 < args.size()) parsed.outDir = args[++i];
    else if (args[i] == QLatin1String("--replace")) parsed.replace = true;
    else parsed.inputs << args[i];
  }
  return parsed;
}

}  // namespace kvz::qst
