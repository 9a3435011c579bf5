#include "tool.h"

namespace kvz::qst {

namespace {

QString programAnd(const QString& command) {
  return command.isEmpty() ? QStringLiteral("kvizarion-qst") : QStringLiteral("kvizarion-qst ") + command;
}

}  // namespace

CommandLine::CommandLine(const QString& command, const QString& description)
    : command_(command), help_(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help.")) {
  parser.setApplicationDescription(description);
  parser.addOption(help_);
}

std::optional<int> CommandLine::parse(const QStringList& args, Streams io) {
  if (!parser.parse(QStringList{command_} + args)) return usageError(parser.errorText(), io);
  if (parser.isSet(help_)) {
    io.out << usage();
    return kExitFine;
  }
  return std::nullopt;
}

int CommandLine::usageError(const QString& why, Streams io) const {
  io.err << programAnd(command_) << ": " << why << "\n\n" << usage();
  return kExitUsage;
}

QString CommandLine::usage() const {
  // The parser names the program by the path it was started with; authors type its name.
  QString text = parser.helpText();
  const qsizetype options = text.indexOf(QLatin1String(" [options]"));
  if (options >= 0) text.replace(0, options, QStringLiteral("Usage: ") + programAnd(command_));
  return text;
}

std::optional<FolderArgs> folderArgs(CommandLine& line, const FolderSyntax& syntax, const QStringList& args,
                                     Streams io, int& exitCode) {
  const QCommandLineOption out(QStringLiteral("o"), QStringLiteral("The folder written into (made if missing)."),
                               QStringLiteral("DIR"));
  const QCommandLineOption replace(QStringLiteral("replace"), syntax.replaceHelp);
  line.parser.addOptions({out, replace});
  line.parser.addPositionalArgument(syntax.name, syntax.help, syntax.syntax);
  if (const auto done = line.parse(args, io)) {
    exitCode = *done;
    return std::nullopt;
  }
  FolderArgs parsed{line.parser.positionalArguments(), line.parser.value(out), line.parser.isSet(replace)};
  if (parsed.inputs.isEmpty() || parsed.outDir.isEmpty()) {
    exitCode = line.usageError(parsed.inputs.isEmpty() ? QStringLiteral("no %1 given").arg(syntax.name)
                                                       : QStringLiteral("no -o DIR given"),
                               io);
    return std::nullopt;
  }
  return parsed;
}

}  // namespace kvz::qst
