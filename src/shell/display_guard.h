#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/display_mode.h"

namespace kvz {

// The display's guard: a process of its own (kvizarion-guard), started by the game before it
// switches the display away from the mode it found. It keeps that mode and waits on a socket
// for the game's end. The game sends kGuardRestoredByte once it has set the display back; when
// the socket closes without it (a crash, SIGKILL, the out-of-memory killer), the guard sets
// the display back itself, unless the player has chosen another mode meanwhile.

// The socket's end in the guard process.
inline constexpr int kGuardSocketFd = 3;
// What the game sends once the display is back at the mode found at start.
inline constexpr char kGuardRestoredByte = 'R';
inline constexpr std::string_view kGuardProgram = "kvizarion-guard";

// What the guard is told on its command line: the X display, the mode found at start (its
// refresh rate 0 when unknown) and the size the game switches to.
struct GuardOrders {
  std::string display;
  ScreenSize start;
  int startRate = 0;
  ScreenSize game;
  bool operator==(const GuardOrders&) const = default;
};

// The guard's arguments after its program name: DISPLAY WxH@RATE WxH.
std::vector<std::string> guardArguments(const GuardOrders& orders);
// Reads them back; nothing for anything else (the guard then touches no display).
std::optional<GuardOrders> parseGuardOrders(std::span<const std::string_view> arguments);

// Whether the guard sets the display back once the game has gone: only when the game has not
// done so itself and the screen still shows the game's size (any other size is the player's
// own choice, or the start mode already).
bool guardRestores(const GuardOrders& orders, ScreenSize now, bool gameRestored);

}  // namespace kvz
