// On Windows the test executable's images are resources of the executable itself.
#include <windows.h>

#include "tests/raster/TestModule.h"

ModuleHandle TestModule() {
  return GetModuleHandleA(nullptr);
}
