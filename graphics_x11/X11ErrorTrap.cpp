// X11ErrorTrap: a process-wide Xlib error handler installed while any trap is in scope. Xlib has
// one handler for the whole process, so the displays being trapped are kept in a table under a
// lock: the first trap anywhere installs the handler, the last one puts the host's back.
#include "graphics_x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

#include <mutex>
#include <vector>

namespace {

using Handler = int (*)(Display*, XErrorEvent*);

struct TrappedDisplay {
  Display* display;
  int depth;  // traps of this display in scope (nested ones on its own thread)
  bool failed;
};

std::mutex trapMutex;
// Guarded by trapMutex.
std::vector<TrappedDisplay> trapped;
Handler previousHandler = nullptr;

TrappedDisplay* Find(Display* display) {
  for (TrappedDisplay& entry : trapped)
    if (entry.display == display) return &entry;
  return nullptr;
}

int TrapError(Display* display, XErrorEvent* error) {
  Handler passOn;
  {
    std::lock_guard<std::mutex> lock(trapMutex);
    if (TrappedDisplay* entry = Find(display)) {
      entry->failed = true;
      return 0;
    }
    passOn = previousHandler;
  }
  return passOn ? passOn(display, error) : 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  {
    // A trap inside another of the same display (always on the same thread) adds nothing but
    // depth: the outer one already catches, and syncing here would cost a round trip each time.
    std::lock_guard<std::mutex> lock(trapMutex);
    if (TrappedDisplay* entry = Find(display_)) {
      ++entry->depth;
      return;
    }
  }
  // Errors of requests sent before the trap are not ours to catch. Never sync under the lock:
  // the handler takes it.
  XSync(display_, False);
  std::lock_guard<std::mutex> lock(trapMutex);
  if (trapped.empty()) previousHandler = XSetErrorHandler(TrapError);
  trapped.push_back({display_, 1, false});
}

X11ErrorTrap::~X11ErrorTrap() {
  {
    std::lock_guard<std::mutex> lock(trapMutex);
    TrappedDisplay* entry = Find(display_);
    if (!entry || entry->depth > 1) {
      if (entry) --entry->depth;
      return;
    }
  }
  // The outermost trap waits for every answer while it still catches.
  XSync(display_, False);
  std::lock_guard<std::mutex> lock(trapMutex);
  TrappedDisplay* entry = Find(display_);
  if (!entry) return;
  *entry = trapped.back();
  trapped.pop_back();
  if (trapped.empty()) {
    XSetErrorHandler(previousHandler);
    previousHandler = nullptr;
  }
}

bool X11ErrorTrap::Ok() {
  XSync(display_, False);
  std::lock_guard<std::mutex> lock(trapMutex);
  const TrappedDisplay* entry = Find(display_);
  return entry && !entry->failed;
}
