#include <map>

#include "folder_write.h"
#include "questions/table.h"
#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kExportHelp =
    "Writes questions as one table for a spreadsheet: a header row, then a row per question\n"
    "with the columns Soubor (its name NN-nnn), Zadani, OdpA to OdpD, Spravna, DivaciA to\n"
    "DivaciD, Autor, Korekce, Hodnota and ID. Takes sources (.txt), question files (.qst) and\n"
    "folders (every .txt and .qst in them). The table is CSV in UTF-8 with a byte-order mark,\n"
    "separated by semicolons, as a spreadsheet in a Czech locale saves it; 'import' reads it\n"
    "back. It goes to TABLE.csv, or else to the standard output. Any error writes nothing.";

const char* const kImportHelp =
    "Turns a question table back into sources: DIR/NN.txt for every step NN in the table,\n"
    "with its questions in the order of their rows. The table is CSV in UTF-8 (with or\n"
    "without a byte-order mark), separated by commas or by semicolons; its header row names\n"
    "the columns (see 'export'), of which Autor, Korekce, Hodnota and ID may be left out.\n"
    "Every check of 'check' runs first: any error (file:row: message; the header is row 1)\n"
    "writes nothing, and so does a source that exists in DIR already, unless --replace is\n"
    "given. The folder is written as a whole: it is left as it was or it is wholly new.";

}  // namespace

int exportCommand(const QStringList& args, Streams io) {
  CommandLine line(QStringLiteral("export"), QString::fromUtf8(kExportHelp));
  const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("A table in CSV (the only kind there is)."));
  const QCommandLineOption out(QStringLiteral("o"), QStringLiteral("The table written, instead of the standard output."),
                               QStringLiteral("TABLE.csv"));
  line.parser.addOptions({csv, out});
  line.parser.addPositionalArgument(QStringLiteral("SOURCE|FILE|DIR"), QStringLiteral("The questions exported."),
                                    QStringLiteral("SOURCE|FILE|DIR..."));
  if (const auto done = line.parse(args, io)) return *done;
  const QString output = line.parser.value(out);
  const std::vector<fs::path> inputs = pathsOf(line.parser.positionalArguments());
  if (inputs.empty()) return line.usageError(QStringLiteral("nothing to export"), io);
  std::vector<fs::path> files;
  for (const fs::path& input : inputs) {
    std::error_code ec;
    const std::vector<fs::path> inFolder = fs::is_directory(input, ec) ? filesOfFolder(input) : std::vector{input};
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  const Collected all = collect(files);
  if (report(all.diagnostics, io.err)) {
    io.err << "kvizarion-qst: errors found; nothing was exported\n";
    return kExitErrors;
  }
  std::vector<TableEntry> entries;
  for (const Collected::Question& q : all.questions) entries.push_back({q.name, q.checked.record});
  const QByteArray table = toTable(entries);
  if (output.isEmpty()) {
    io.out << QString::fromUtf8(table);
    return kExitFine;
  }
  if (!writeOne(output.toStdString(), table, io.err)) return kExitErrors;
  io.out << "exported " << entries.size() << " questions to " << output << '\n';
  return kExitFine;
}

int importCommand(const QStringList& args, Streams io) {
  CommandLine line(QStringLiteral("import"), QString::fromUtf8(kImportHelp));
  int exitCode = kExitFine;
  const auto parsed = folderArgs(line,
                                 {QStringLiteral("TABLE.csv"), QStringLiteral("The question table."),
                                  QStringLiteral("TABLE.csv"),
                                  QStringLiteral("Writes over the sources in DIR that the table makes again.")},
                                 args, io, exitCode);
  if (!parsed) return exitCode;
  const auto& [tables, outDir, replace] = *parsed;
  if (tables.size() != 1) return line.usageError(QStringLiteral("one table at a time"), io);
  const fs::path table = tables[0].toStdString();
  const std::optional<QByteArray> content = readWhole(table);
  if (!content) {
    io.err << tables[0] << ": cannot be read\n";
    return kExitErrors;
  }
  SourceFile read = parseTable(tables[0], *content);
  std::vector<CheckedQuestion> checked;
  for (const SourceQuestion& q : read.questions) checked.push_back(checkedOf(tables[0], q));
  const auto found = checkAll(checked, false, QString());
  read.diagnostics.insert(read.diagnostics.end(), found.begin(), found.end());
  // A table whose every row has an error is reported as errors, not as an empty table.
  const bool failed = report(read.diagnostics, io.err);
  if (failed || read.questions.empty()) {
    io.err << "kvizarion-qst: " << (failed ? "errors found" : "no question in the table") << "; nothing was written\n";
    return kExitErrors;
  }
  std::map<int, QStringList> byStep;
  for (const SourceQuestion& q : read.questions) byStep[q.step] << toSource(q.fileName.chopped(4), q.record);
  std::vector<OutputFile> files;
  for (const auto& [step, blocks] : byStep)
    files.push_back({QStringLiteral("%1.txt").arg(step, 2, 10, QLatin1Char('0')), blocks.join(u'\n').toUtf8()});

  const fs::path dir = outDir.toStdString();
  std::error_code ec;
  bool refused = false;
  for (const OutputFile& file : files) {
    if (replace || !fs::exists(dir / file.name.toStdString(), ec)) continue;
    io.err << shown(dir / file.name.toStdString()) << ": exists already; --replace writes over it\n";
    refused = true;
  }
  if (refused) {
    io.err << "kvizarion-qst: nothing was written\n";
    return kExitErrors;
  }
  if (!writeAll(dir, files, [](const fs::path&) { return false; }, io.err)) return kExitErrors;
  io.out << "imported " << read.questions.size() << " questions into " << files.size() << " sources in " << outDir
         << '\n';
  return kExitFine;
}

}  // namespace kvz::qst
