// OpenFileUtf8 on Linux: file names are bytes, UTF-8 passes through.
#include "raster/OpenFileUtf8.h"

std::FILE* OpenFileUtf8(const char* fileName, const char* mode) {
  return std::fopen(fileName, mode);
}
