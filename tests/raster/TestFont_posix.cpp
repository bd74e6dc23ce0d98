// The test font on Linux: the installed DejaVu Sans, as fontconfig resolves the face.
#include "tests/raster/TestFont.h"

// Fontconfig keeps a block of its own unreachable for the life of the process (not ours):
// the sanitizer builds' leak check is told so (the sanitizer runtime looks the hook up, so it is
// exported).
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

SystemFontHandle MakeTestFont(int height, int quality) {
  SystemFontRequest request;
  request.height = height;
  request.quality = quality;
  request.face = "DejaVu Sans";
  return CreateSystemFont(request);
}
