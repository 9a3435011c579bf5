#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kvz::qst {

// Where a command writes: what it produces on out, messages for the author on err.
struct Streams {
  QTextStream& out;
  QTextStream& err;
};

// Each command takes its own arguments (without the command's name) and gives the exit code.
int buildCommand(const QStringList& args, Streams io);
int dumpCommand(const QStringList& args, Streams io);
int checkCommand(const QStringList& args, Streams io);
int previewCommand(const QStringList& args, Streams io);
int exportCommand(const QStringList& args, Streams io);
int importCommand(const QStringList& args, Streams io);

// True when the arguments ask for help.
bool wantsHelp(const QStringList& args);

// The arguments of a command that writes into a folder: -o DIR, --replace and its inputs.
struct FolderArgs {
  QStringList inputs;
  QString outDir;
  bool replace = false;
};
FolderArgs folderArgs(const QStringList& args);

}  // namespace kvz::qst
