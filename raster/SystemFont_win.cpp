// System fonts on Windows: GDI fonts from CreateFontA, deleted with DeleteObject.
#include <windows.h>

#include <cstring>

#include "raster/SystemFont.h"

namespace {

// Faces editors ask for that few machines have, with the narrow faces to use in their place,
// first one installed wins: GDI's own choice for a missing face is wide (under wine DejaVu Sans),
// and texts laid out for the face would run out of their room. Segoe UI and Tahoma come with
// Windows; wine without its own fonts has the Linux machine's DejaVu Sans Condensed.
struct Fallback {
  const char* face;
  const char* instead[3];
};
constexpr Fallback kFallbacks[] = {{"Ubuntu", {"Segoe UI", "Tahoma", "DejaVu Sans Condensed"}}};

int CALLBACK NoteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool Installed(const char* face) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// The face to create: the one asked for, or the first installed stand-in for it.
const char* FaceToUse(const char* face) {
  for (const Fallback& f : kFallbacks) {
    if (_stricmp(face, f.face) != 0 || Installed(face)) continue;
    for (const char* instead : f.instead) {
      if (Installed(instead)) return instead;
    }
  }
  return face;
}

}  // namespace

SystemFontHandle CreateSystemFont(const SystemFontRequest& r) {
  return CreateFontA(r.height, 0, r.escapement, r.escapement, r.weight, r.italic ? TRUE : FALSE,
                     FALSE, FALSE, 0, 0, 0, static_cast<DWORD>(r.quality), 0,
                     FaceToUse(r.face ? r.face : ""));
}

void DeleteSystemFont(SystemFontHandle font) {
  if (font) DeleteObject(static_cast<HFONT>(font));
}

bool UseOnlyFontFiles(const char* const*, int, std::string&) {
  return true;
}
