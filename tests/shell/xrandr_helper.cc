// Helper of check_display_mode.py and check_display_guard.py, built with the tests (not part
// of the program).
// "close WINDOW": sends the window the message a window manager sends for its close button
// or Alt+F4 (WM_PROTOCOLS / WM_DELETE_WINDOW); the test server has no window manager.
// "watch": prints the screen size at every RandR screen change until it is killed.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
int main(int argc, char** argv) {
  Display* d = XOpenDisplay(nullptr);
  if (!d || argc < 2) return 2;
  if (!std::strcmp(argv[1], "close") && argc == 3) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = std::strtoul(argv[2], nullptr, 0);
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    XSync(d, False);
    return 0;
  }
  if (!std::strcmp(argv[1], "watch")) {
    int eventBase = 0, errorBase = 0;
    if (!XRRQueryExtension(d, &eventBase, &errorBase)) return 3;
    XRRSelectInput(d, DefaultRootWindow(d), RRScreenChangeNotifyMask);
    XSync(d, False);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == eventBase + RRScreenChangeNotify) {
        const auto* s = reinterpret_cast<XRRScreenChangeNotifyEvent*>(&e);
        std::printf("%dx%d\n", s->width, s->height);
        std::fflush(stdout);
      }
    }
  }
  return 2;
}
