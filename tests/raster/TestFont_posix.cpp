// The test font on Linux: the installed DejaVu Sans, as fontconfig resolves the face.
#include "tests/raster/TestFont.h"

SystemFontHandle MakeTestFont(int height, int quality) {
  SystemFontRequest request;
  request.height = height;
  request.quality = quality;
  request.face = "DejaVu Sans";
  return CreateSystemFont(request);
}
