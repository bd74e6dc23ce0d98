// System fonts on Windows: GDI fonts from CreateFontA, deleted with DeleteObject.
#include <windows.h>

#include "raster/SystemFont.h"

SystemFontHandle CreateSystemFont(const SystemFontRequest& r) {
  return CreateFontA(r.height, 0, r.escapement, r.escapement, r.weight, r.italic ? TRUE : FALSE,
                     FALSE, FALSE, 0, 0, 0, static_cast<DWORD>(r.quality), 0, r.face ? r.face : "");
}

void DeleteSystemFont(SystemFontHandle font) {
  if (font) DeleteObject(static_cast<HFONT>(font));
}
