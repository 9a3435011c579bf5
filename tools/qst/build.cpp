#include "folder_write.h"
#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "Compiles question sources (UTF-8 text, [NN-nnn] blocks of 'Key: value' lines) or question\n"
    "tables (.csv, see 'import') into question files DIR/NN-nnn.qst of 496 bytes each. Every\n"
    "check of 'check' runs first: any error (file:line: message) builds nothing. The folder is\n"
    "written as a whole: it is left as it was or it is wholly new.";

}  // namespace

int buildCommand(const QStringList& args, Streams io) {
  CommandLine line(QStringLiteral("build"), QString::fromUtf8(kHelp));
  int exitCode = kExitFine;
  const auto parsed = folderArgs(line,
                                 {QStringLiteral("SOURCE"), QStringLiteral("Question sources (.txt) or tables (.csv)."),
                                  QStringLiteral("SOURCE..."),
                                  QStringLiteral("Removes the question files in DIR that no source defines, so that "
                                                 "the game cannot draw a question taken out of the sources.")},
                                 args, io, exitCode);
  if (!parsed) return exitCode;

  Collected all = collect(pathsOf(parsed->inputs));
  std::vector<CheckedQuestion> checked;
  for (const Collected::Question& q : all.questions) checked.push_back(q.checked);
  const auto found = checkAll(checked, false, QString());
  all.diagnostics.insert(all.diagnostics.end(), found.begin(), found.end());
  if (report(all.diagnostics, io.err)) {
    io.err << "kvizarion-qst: errors found; nothing was built\n";
    return kExitErrors;
  }
  std::vector<OutputFile> files;
  for (const Collected::Question& q : all.questions)
    files.push_back({q.name + QStringLiteral(".qst"),
                     QByteArray(reinterpret_cast<const char*>(q.bytes.data()), static_cast<qsizetype>(q.bytes.size()))});
  const bool replace = parsed->replace;
  if (!writeAll(parsed->outDir.toStdString(), files,
                [replace](const fs::path& other) { return replace && isQuestionFile(other); }, io.err))
    return kExitErrors;
  io.out << "built " << files.size() << " question files in " << parsed->outDir << '\n';
  return kExitFine;
}

}  // namespace kvz::qst
