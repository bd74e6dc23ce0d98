// On Windows the linked images are resources of the executable itself.
#include <windows.h>

#include "effect/ExecutableImages.h"

ModuleHandle ExecutableImages() {
  return GetModuleHandleA(nullptr);
}
