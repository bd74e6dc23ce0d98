// The font platform facts on Linux: no Wine layer, and text is always Unicode.
#include "raster/FontProcessState.h"

bool DetectWine() {
  return false;
}

bool SystemIsUnicodeFamily() {
  return true;
}
