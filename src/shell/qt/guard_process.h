#pragma once

#include <memory>
#include <string>
#include <sys/types.h>

#include "shell/display_guard.h"

namespace kvz {

// The game's side of the display's guard: the guard process and the socket to it.
class GuardProcess {
public:
  // Starts the guard program with these orders, in a session of its own (no terminal, out of
  // reach of the terminal's Ctrl+C and hang-up), with nothing of the game's open but its
  // socket. posix_spawn, not fork: the game already runs threads. Null when it cannot be
  // started; the game then goes on unguarded, as before there was a guard.
  static std::unique_ptr<GuardProcess> start(const std::string& program, const GuardOrders& orders);
  // Closes the socket: a guard not told that the display is back sets it back now.
  ~GuardProcess();
  GuardProcess(const GuardProcess&) = delete;
  GuardProcess& operator=(const GuardProcess&) = delete;

  // Tells the guard that the display is back at the mode found at start; it ends then.
  void sayRestored();

private:
  GuardProcess(pid_t pid, int socket) : pid_(pid), socket_(socket) {}
  pid_t pid_;
  int socket_;
};

// The guard program: beside the game in a build, in its helper folder when installed.
std::string guardProgramFor(const std::string& gameDir);

}  // namespace kvz
