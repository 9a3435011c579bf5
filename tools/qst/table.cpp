#include <map>

#include "questions/table.h"
#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kExportHelp =
    "kvizarion-qst export --csv SOURCE|FILE|DIR... [-o TABLE.csv]\n"
    "\n"
    "Writes questions as one table for a spreadsheet: a header row, then a row per question\n"
    "with the columns Soubor (its name NN-nnn), Zadani, OdpA to OdpD, Spravna, DivaciA to\n"
    "DivaciD, Autor, Korekce, Hodnota and ID. Takes sources (.txt), question files (.qst) and\n"
    "folders (every .txt and .qst in them). The table is CSV in UTF-8 with a byte-order mark,\n"
    "separated by semicolons, as a spreadsheet in a Czech locale saves it; 'import' reads it\n"
    "back. It goes to TABLE.csv, or else to the standard output. Any error writes nothing.\n";

const char* const kImportHelp =
    "kvizarion-qst import TABLE.csv -o DIR [--replace]\n"
    "\n"
    "Turns a question table back into sources: DIR/NN.txt for every step NN in the table,\n"
    "with its questions in the order of their rows. The table is CSV in UTF-8 (with or\n"
    "without a byte-order mark), separated by commas or by semicolons; its header row names\n"
    "the columns (see 'export'), of which Autor, Korekce, Hodnota and ID may be left out.\n"
    "Any error (file:row: message; the header is row 1) writes nothing, and so does a source\n"
    "that exists in DIR already, unless --replace is given.\n";

}  // namespace

int exportCommand(const QStringList& args, Streams io) {
  if (wantsHelp(args)) {
    io.out << kExportHelp;
    return 0;
  }
  QString output;
  std::vector<fs::path> inputs;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("-o") && i + 1 < args.size()) output = args[++i];
    else if (args[i] != QLatin1String("--csv")) inputs.emplace_back(args[i].toStdString());
  }
  if (inputs.empty()) {
    io.err << kExportHelp;
    return 2;
  }
  std::vector<fs::path> files;
  for (const fs::path& input : inputs) {
    std::error_code ec;
    const std::vector<fs::path> inFolder = fs::is_directory(input, ec) ? filesOfFolder(input) : std::vector{input};
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  const Collected all = collect(files);
  if (report(all.diagnostics, io.err)) {
    io.err << "kvizarion-qst: errors found; nothing was exported\n";
    return 1;
  }
  std::vector<TableEntry> entries;
  for (const Collected::Question& q : all.questions) entries.push_back({q.name, q.record});
  const QByteArray table = toTable(entries);
  if (output.isEmpty()) {
    io.out << QString::fromUtf8(table);
    return 0;
  }
  const fs::path file = output.toStdString();
  const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (!writeAll(dir, {{QString::fromStdString(file.filename().string()), table}}, io.err)) return 1;
  io.out << "exported " << entries.size() << " questions to " << output << '\n';
  return 0;
}

int importCommand(const QStringList& args, Streams io) {
  if (wantsHelp(args)) {
    io.out << kImportHelp;
    return 0;
  }
  const auto [tables, outDir, replace] = folderArgs(args);
  if (tables.size() != 1 || outDir.isEmpty()) {
    io.err << kImportHelp;
    return 2;
  }
  const fs::path table = tables[0].toStdString();
  const std::optional<QByteArray> content = readWhole(table);
  if (!content) {
    io.err << tables[0] << ": cannot be read\n";
    return 1;
  }
  const SourceFile parsed = parseTable(tables[0], *content);
  if (report(parsed.diagnostics, io.err) || parsed.questions.empty()) {
    io.err << "kvizarion-qst: " << (parsed.questions.empty() ? "no question in the table" : "errors found")
           << "; nothing was written\n";
    return 1;
  }
  std::map<int, QStringList> byStep;
  for (const SourceQuestion& q : parsed.questions) byStep[q.step] << toSource(q.fileName.chopped(4), q.record);
  std::vector<OutputFile> files;
  for (const auto& [step, blocks] : byStep)
    files.push_back({QStringLiteral("%1.txt").arg(step, 2, 10, QLatin1Char('0')), blocks.join(u'\n').toUtf8()});

  const fs::path dir = outDir.toStdString();
  std::error_code ec;
  fs::create_directories(dir, ec);
  bool refused = !fs::is_directory(dir, ec);
  if (refused) io.err << outDir << ": cannot make the folder\n";
  for (const OutputFile& file : files) {
    if (replace || !fs::exists(dir / file.name.toStdString(), ec)) continue;
    io.err << shown(dir / file.name.toStdString()) << ": exists already; --replace writes over it\n";
    refused = true;
  }
  if (refused) {
    io.err << "kvizarion-qst: nothing was written\n";
    return 1;
  }
  if (!writeAll(dir, files, io.err)) return 1;
  io.out << "imported " << parsed.questions.size() << " questions into " << files.size() << " sources in " << outDir
         << '\n';
  return 0;
}

}  // namespace kvz::qst
