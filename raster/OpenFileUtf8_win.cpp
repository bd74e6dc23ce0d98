// OpenFileUtf8 on Windows: the wide-character open where the system has Unicode file names,
// the narrow name otherwise or when that fails.
#include <windows.h>

#include "raster/OpenFileUtf8.h"

namespace {
constexpr int kWideNameLength = 2048;
}

std::FILE* OpenFileUtf8(const char* fileName) {
  if ((GetVersion() & 0x80000000u) == 0) {
    wchar_t wideName[kWideNameLength];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, fileName, -1, wideName,
                            kWideNameLength) > 0) {
      if (std::FILE* file = _wfopen(wideName, L"rb")) return file;
    }
  }
  return std::fopen(fileName, "rb");
}
