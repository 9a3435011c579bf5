#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace kvz::qst {

// Where a command writes: what it produces on out, messages for the author on err.
struct Streams {
  QTextStream& out;
  QTextStream& err;
};

// The exit codes of every command.
inline constexpr int kExitFine = 0;
inline constexpr int kExitErrors = 1;
inline constexpr int kExitUsage = 2;

// Each command takes its own arguments (without the command's name) and gives the exit code.
int buildCommand(const QStringList& args, Streams io);
int dumpCommand(const QStringList& args, Streams io);
int checkCommand(const QStringList& args, Streams io);
int previewCommand(const QStringList& args, Streams io);
int exportCommand(const QStringList& args, Streams io);
int importCommand(const QStringList& args, Streams io);

// One command's own parser: its usage and help come from the options and arguments it is
// given, and every command treats --help, an unknown option and an option without its
// value alike.
class CommandLine {
public:
  CommandLine(const QString& command, const QString& description);
  QCommandLineParser parser;
  // Reads the arguments: nullopt to go on, or the exit code to end with (the help was shown,
  // or the command line was wrong and the usage was shown).
  std::optional<int> parse(const QStringList& args, Streams io);
  // A command line the parser took but the command cannot use (an input missing): why, and
  // the usage; gives the usage exit code.
  int usageError(const QString& why, Streams io) const;
  QString usage() const;

private:
  QString command_;
  QCommandLineOption help_;
};

// A command that writes into a folder: its inputs, -o DIR and --replace.
struct FolderArgs {
  QStringList inputs;
  QString outDir;
  bool replace = false;
};
// How a command names its inputs and what its --replace does, for its help.
struct FolderSyntax {
  QString name;  // "SOURCE"
  QString help;
  QString syntax;  // "SOURCE..."
  QString replaceHelp;
};
// Reads them with the command's own parser; nullopt with the exit code when the command ends.
std::optional<FolderArgs> folderArgs(CommandLine& line, const FolderSyntax& syntax, const QStringList& args,
                                     Streams io, int& exitCode);

}  // namespace kvz::qst
