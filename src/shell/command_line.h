#pragma once

#include <QString>
#include <QStringList>

namespace kvz {

// The word that keeps the display as it is, for the whole run.
inline constexpr const char* kNoFullscreen = "no_fullscreen";

// The command-line text: everything after the program's name, the arguments joined by one
// blank each.
QString commandLineText(const QStringList& argumentsAfterProgram);

// True only when the whole command-line text is exactly the word, in this letter case.
bool isNoFullscreen(const QString& commandLine);

}  // namespace kvz
