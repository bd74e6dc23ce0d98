// The font platform facts on Windows: the Wine registry key and the system's family.
#include <windows.h>

#include "raster/FontProcessState.h"

bool DetectWine() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool SystemIsUnicodeFamily() {
  return (GetVersion() & 0x80000000u) == 0;
}
