// X11DrawingLock: the one drawing mutex of the module's X11 editors.
#include "graphics_x11/X11DrawingLock.h"

std::mutex& X11DrawingMutex() {
  static std::mutex mutex;
  return mutex;
}
