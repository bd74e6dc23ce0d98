// The test process's id on Windows.
#include <windows.h>

#include "tests/raster/ScratchFolder.h"

int TestProcessId() {
  return static_cast<int>(GetCurrentProcessId());
}
