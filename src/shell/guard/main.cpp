// kvizarion-guard: the display's guard, started by the game (GuardProcess) before it switches
// the display away from the mode it found; not meant to be run by hand. Its orders are on the
// command line (display_guard.h); its socket to the game is descriptor 3. When the socket
// closes without the game having said that the display is back, the guard sets it back, if
// the screen still shows the game's size, then ends. It ends with the X server too: its own
// connection to it is watched for the server going away.
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

#include "shell/display_guard.h"
#include "shell/qt/xrandr_display.h"

namespace {

// The server has gone: there is no display left to set back.
int serverGone(Display*) { _exit(0); }

// Waits for the game's end: true when it said the display is back before its socket closed.
bool waitForGame(Display* server) {
  bool restored = false;
  pollfd watched[2] = {{kvz::kGuardSocketFd, POLLIN, 0}, {ConnectionNumber(server), POLLIN, 0}};
  for (;;) {
    if (::poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return restored;
    }
    // Anything from the server, or its end: XPending reads it, and a closed connection ends
    // the guard through serverGone.
    if (watched[1].revents != 0)
      while (XPending(server) > 0) {
        XEvent event;
        XNextEvent(server, &event);
      }
    if (watched[0].revents == 0) continue;
    char bytes[16];
    const ssize_t got = ::read(kvz::kGuardSocketFd, bytes, sizeof bytes);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return restored;
    for (ssize_t i = 0; i < got; ++i) restored = restored || bytes[i] == kvz::kGuardRestoredByte;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const auto orders = kvz::parseGuardOrders(arguments);
  if (!orders || ::fcntl(kvz::kGuardSocketFd, F_GETFD) < 0) {
    std::fprintf(stderr, "kvizarion-guard is started by the game, not by hand\n");
    return 2;
  }
  XSetIOErrorHandler(serverGone);
  Display* server = XOpenDisplay(orders->display.c_str());
  if (!server) return 1;
  const bool gameRestored = waitForGame(server);
  if (!gameRestored) {
    // A connection that reads the screen as it is now, with the mode found at start as the
    // one to bring back.
    const auto display = kvz::openXRandrDisplay(orders->display, orders->start, orders->startRate);
    if (display && kvz::guardRestores(*orders, display->current(), gameRestored))
      kvz::ZmenRozliseni(*display, static_cast<std::int16_t>(orders->start.width),
                         static_cast<std::int16_t>(orders->start.height));
  }
  XCloseDisplay(server);
  return 0;
}
