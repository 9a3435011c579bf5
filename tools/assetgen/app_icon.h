#pragma once

#include <QString>

namespace kvz::drawings {

// Writes the application icon into the icon theme tree under dir:
// hicolor/NxN/apps/kvizarion.png at the usual sizes and hicolor/scalable/apps/kvizarion.svg,
// both from one drawing. False (with a message on stderr) when a file cannot be written.
bool writeAppIcons(const QString& dir);

}  // namespace kvz::drawings
