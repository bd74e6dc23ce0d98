// X11ErrorTrap: a process-wide Xlib error handler installed only while our X calls run.
#include "graphics_x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

#include <atomic>

namespace {

using Handler = int (*)(Display*, XErrorEvent*);

// Set on the editor thread only; a trap inside another (presenting during the idle step) keeps
// the outer one's handler, so the host's is put back exactly once.
Handler previousHandler = nullptr;
Display* trappedDisplay = nullptr;
int depth = 0;
std::atomic<bool> failed{false};

int TrapError(Display* display, XErrorEvent* error) {
  if (display == trappedDisplay) {
    failed = true;
    return 0;
  }
  return previousHandler ? previousHandler(display, error) : 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  if (depth++ > 0) return;
  failed = false;
  trappedDisplay = display_;
  previousHandler = XSetErrorHandler(TrapError);
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(display_, False);
  if (--depth > 0) return;
  XSetErrorHandler(previousHandler);
  trappedDisplay = nullptr;
  previousHandler = nullptr;
}

bool X11ErrorTrap::Ok() {
  XSync(display_, False);
  return !failed;
}
