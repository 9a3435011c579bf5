#pragma once

#include <memory>

#include "platform/form.h"

namespace kvz {

// The game window as laid out, before its load handler runs: every element at its place
// with its start-up look, and the timers in their start states (enabled ones armed).
std::unique_ptr<Form> makeFrmMain(Clock& clock);

// Names of the pictures kept with the game window's layout (not named bitmap resources).
inline constexpr const char* kLogoPicture = "LOGO";
inline constexpr const char* kGraphPicture = "NDIVGRAF";

}  // namespace kvz
