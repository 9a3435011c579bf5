#pragma once

#include <memory>

#include "shell/display_mode.h"

struct _XDisplay;  // Xlib's Display

namespace kvz {

// The display modes of the X server the window system uses (a connection of our own to the
// same server), through the RandR screen configuration: the sizes the screen's output
// offers, each with its refresh rates. Null when there is no X server to reach or it has no
// RandR. The colour depth of an X screen never changes with its size, so keeping it needs
// nothing.
std::unique_ptr<DisplayMode> openXRandrDisplay(_XDisplay* windowSystemDisplay);

}  // namespace kvz
