// X11DrawingLock: serialises drawing between editors driven by different threads. The fonts
// (their glyph caches and colours) are shared by every editor of the module and are not safe to
// draw with from two threads at once.
#pragma once

#include <mutex>

std::mutex& X11DrawingMutex();
