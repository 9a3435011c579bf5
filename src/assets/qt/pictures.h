#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

namespace kvz {

// The picture of that name from the resources compiled into the program, any letter case.
// A name that is not there is a programming error: an empty pixmap comes back and a
// warning is printed, so a missing picture shows as nothing rather than stopping the game.
QPixmap picture(const QString& name);

// The hand pointer of the clickable elements.
QCursor handCursor();

}  // namespace kvz
