// OpenFileUtf8 on Windows: the wide-character open where the system has Unicode file names,
// the narrow name otherwise or when that fails.
#include <windows.h>

#include "raster/OpenFileUtf8.h"

namespace {
constexpr int kWideNameLength = 2048;
constexpr int kWideModeLength = 8;
}  // namespace

std::FILE* OpenFileUtf8(const char* fileName, const char* mode) {
  if ((GetVersion() & 0x80000000u) == 0) {
    wchar_t wideName[kWideNameLength];
    wchar_t wideMode[kWideModeLength];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, fileName, -1, wideName,
                            kWideNameLength) > 0 &&
        MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, kWideModeLength) > 0) {
      if (std::FILE* file = _wfopen(wideName, wideMode)) return file;
    }
  }
  return std::fopen(fileName, mode);
}
