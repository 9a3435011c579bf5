#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "questions/bank.h"
#include "sources.h"
#include "tool.h"

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "Shows question files (.qst; a folder: every .qst in it). By default as question source\n"
    "text, which 'build' takes back; with --json as a JSON array with one object per file,\n"
    "keys file, Zadani, OdpA..OdpD, Spravna, DivaciA..DivaciD, Autor, Korekce, Hodnota, ID\n"
    "(texts at their full width, blanks included). A file that holds no whole question is\n"
    "reported and the others are still shown; the exit code is then 1.";

QJsonObject toJson(const QString& file, const ZaznamOtazky& r) {
  return QJsonObject{
      {QStringLiteral("file"), file},       {QStringLiteral("Zadani"), r.Zadani},
      {QStringLiteral("OdpA"), r.OdpA},     {QStringLiteral("OdpB"), r.OdpB},
      {QStringLiteral("OdpC"), r.OdpC},     {QStringLiteral("OdpD"), r.OdpD},
      {QStringLiteral("Spravna"), r.Spravna}, {QStringLiteral("DivaciA"), r.DivaciA},
      {QStringLiteral("DivaciB"), r.DivaciB}, {QStringLiteral("DivaciC"), r.DivaciC},
      {QStringLiteral("DivaciD"), r.DivaciD}, {QStringLiteral("Autor"), r.Autor},
      {QStringLiteral("Korekce"), r.Korekce}, {QStringLiteral("Hodnota"), r.Hodnota},
      {QStringLiteral("ID"), r.ID},
  };
}

}  // namespace

int dumpCommand(const QStringList& args, Streams io) {
  CommandLine line(QStringLiteral("dump"), QString::fromUtf8(kHelp));
  const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("JSON instead of source text."));
  line.parser.addOption(jsonOption);
  line.parser.addPositionalArgument(QStringLiteral("FILE|DIR"), QStringLiteral("Question files, or folders of them."),
                                    QStringLiteral("FILE|DIR..."));
  if (const auto done = line.parse(args, io)) return *done;
  const bool json = line.parser.isSet(jsonOption);
  std::vector<fs::path> files;
  for (const QString& arg : line.parser.positionalArguments()) {
    const fs::path path = arg.toStdString();
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      for (const fs::path& f : filesOfFolder(path))
        if (isQuestionFile(f)) files.push_back(f);
    } else {
      files.push_back(path);
    }
  }
  if (files.empty()) return line.usageError(QStringLiteral("no question file given"), io);
  int exitCode = kExitFine;
  QJsonArray objects;
  for (const fs::path& file : files) {
    const std::optional<ZaznamOtazky> record = readQuestion(file);
    if (!record) {
      std::error_code ec;
      const bool regular = fs::is_regular_file(file, ec);
      const auto size = regular ? fs::file_size(file, ec) : 0;
      io.err << shown(file) << ": "
             << (regular && !ec ? QStringLiteral("not a question file: %1 bytes, a question has %2").arg(size).arg(kRecordSize)
                                : QStringLiteral("cannot be read"))
             << '\n';
      exitCode = kExitErrors;
      continue;
    }
    if (json) objects.append(toJson(shown(file), *record));
    else io.out << "# " << shown(file) << '\n' << toSource(questionHeader(file), *record) << '\n';
  }
  if (json) io.out << QJsonDocument(objects).toJson(QJsonDocument::Indented);
  return exitCode;
}

}  // namespace kvz::qst
