// The test font on Windows: the DejaVu Sans file copied beside the tests at build time, added
// for this process only.
#include <windows.h>

#include <string>

#include "tests/raster/TestFont.h"

namespace {
// The build gives a Linux path; wine reaches it through drive Z:.
std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    c = c == '/' ? '\\' : c;
  return path;
}
}  // namespace

SystemFontHandle MakeTestFont(int height, int quality) {
  static const bool added =
      AddFontResourceExA(WindowsPath(FERRIX_TEST_FONT_FILE).c_str(), FR_PRIVATE, nullptr) > 0;
  if (!added) return nullptr;
  SystemFontRequest request;
  request.height = height;
  request.quality = quality;
  request.face = "DejaVu Sans";
  return CreateSystemFont(request);
}
