#pragma once

#include <memory>
#include <string>

#include "shell/display_mode.h"

struct _XDisplay;  // Xlib's Display

namespace kvz {

// The display modes of the X server the window system uses (a connection of our own to the
// same server), through the RandR screen configuration: the sizes the screen's output
// offers, each with its refresh rates. Null when there is no X server to reach or it has no
// RandR. The colour depth of an X screen never changes with its size, so keeping it needs
// nothing. With a guard program (guard_process.h), the display's guard watches every switch
// away from the mode found at start.
std::unique_ptr<DisplayMode> openXRandrDisplay(_XDisplay* windowSystemDisplay, std::string guardProgram);
// The guard's own: the named server, its mode at start as the game found it.
std::unique_ptr<DisplayMode> openXRandrDisplay(const std::string& displayName, ScreenSize start, int startRate);

}  // namespace kvz
