#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace kvz {

// The picture of that name, any letter case, at a whole-number scale of the scene: at 1 x the
// bitmap compiled into the program; at a larger scale the same picture drawn again at that
// size, so its edges and letters stay sharp (drawn once, then kept). A name that is not
// there is a programming error: an empty pixmap comes back and a warning is printed, so a
// missing picture shows as nothing rather than stopping the game.
QPixmap picture(const QString& name, int scale = 1);

// Draws those of the named pictures not drawn yet at that scale, on every core at once, and
// returns when all are ready: a window calls it before its first paint at a new scale.
void drawPictures(const QStringList& names, int scale);

// Draws every picture at that scale ahead of its first showing, one per core a turn of the
// event loop (input waits for one picture at most), so that no plate, ladder or amount is drawn in the
// middle of a timed sequence. Nothing to do at 1 x.
void drawPicturesAhead(int scale);

// The hand pointer of the clickable elements at that scale, its fingertip the hot spot.
QCursor handCursor(int scale = 1);

// Hands these pictures and the hand pointer to the window layer: every program that shows
// or draws a window calls it once, after making its QApplication.
void useGamePictures();

}  // namespace kvz
