// X11ErrorTrap: catches errors through the display's own error table (Xlib's per-display
// wire-to-error hooks), which Xlib consults before the process-wide handler. The host's handler
// is never swapped, so a host changing it on another thread meanwhile loses nothing. The displays
// being trapped are kept in a table under a lock, with the hooks they had before.
#include "graphics_x11/X11ErrorTrap.h"

#include <array>
#include <mutex>
#include <vector>

// Last: Xlibint.h defines min and max as macros.
#include <X11/Xlib.h>
#include <X11/Xlibint.h>

namespace {

using WireToError = Bool (*)(Display*, XErrorEvent*, xError*);
// Core errors start at 1; extensions' take codes up to 255.
constexpr int kFirstError = 1;
constexpr int kErrorCodes = 256;

struct TrappedDisplay {
  Display* display;
  int depth;  // traps of this display in scope (nested ones on its own thread)
  bool failed;
  std::array<WireToError, kErrorCodes> previous;
};

std::mutex trapMutex;
// Guarded by trapMutex.
std::vector<TrappedDisplay> trapped;

TrappedDisplay* Find(Display* display) {
  for (TrappedDisplay& entry : trapped)
    if (entry.display == display) return &entry;
  return nullptr;
}

// Called by Xlib (its display locked) for every error of a trapped display: False keeps the
// error from the process-wide handler.
Bool CatchError(Display* display, XErrorEvent*, xError*) {
  std::lock_guard<std::mutex> lock(trapMutex);
  if (TrappedDisplay* entry = Find(display)) entry->failed = true;
  return False;
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
  // Errors of requests sent before the trap are not ours to catch. Xlib is never called under
  // the lock: the hook takes it.
  XSync(display_, False);
  TrappedDisplay entry{display_, 1, false, {}};
  for (int code = kFirstError; code < kErrorCodes; ++code)
    entry.previous[code] = XESetWireToError(display_, code, CatchError);
  std::lock_guard<std::mutex> lock(trapMutex);
  trapped.push_back(entry);
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
  std::array<WireToError, kErrorCodes> previous;
  {
    std::lock_guard<std::mutex> lock(trapMutex);
    TrappedDisplay* entry = Find(display_);
    if (!entry) return;
    previous = entry->previous;
    *entry = trapped.back();
    trapped.pop_back();
  }
  for (int code = kFirstError; code < kErrorCodes; ++code)
    XESetWireToError(display_, code, previous[code]);
}

bool X11ErrorTrap::Ok() {
  XSync(display_, False);
  std::lock_guard<std::mutex> lock(trapMutex);
  const TrappedDisplay* entry = Find(display_);
  return entry && !entry->failed;
}
