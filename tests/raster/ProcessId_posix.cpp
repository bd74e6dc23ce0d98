// The test process's id on Linux.
#include <unistd.h>

#include "tests/raster/ScratchFolder.h"

int TestProcessId() {
  return static_cast<int>(getpid());
}
