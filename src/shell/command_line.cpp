#include "shell/command_line.h"

namespace kvz {

QString commandLineText(const QStringList& argumentsAfterProgram) {
  return argumentsAfterProgram.join(QLatin1Char(' '));
}

bool isNoFullscreen(const QString& commandLine) {
  return commandLine == QLatin1String(kNoFullscreen);
}

}  // namespace kvz
