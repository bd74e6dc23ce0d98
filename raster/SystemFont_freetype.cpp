// System fonts on Linux: fontconfig resolves the face (its best match when the face is not
// installed), FreeType opens it and scales it so its Windows ascent + descent is the cell.
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include <freetype/tttables.h>

#include "raster/FreeTypeFont.h"
#include "raster/SystemFont.h"

namespace {

constexpr int kNotAntialiased = 3;  // CreateFontA's NONANTIALIASED_QUALITY
constexpr int kBoldFrom = 600;
constexpr int kDefaultHeight = 12;  // what a height of 0 selects

// One FreeType library for the module, made at the first font. It is released when the module
// unloads (a host that loads and unloads the plug-in would otherwise lose it each time), or with
// the last face if fonts are still open then: the module's font cache empties itself in its own
// turn at unload, before or after this. Constant-initialised and trivially destructible, so it
// is usable until the very end.
struct LibraryState {
  std::mutex lock;
  FT_Library library = nullptr;
  int faces = 0;
  bool tried = false;
  bool moduleEnding = false;
};
constinit LibraryState gLibrary;

void ReleaseLibraryIfUnused() {
  if (gLibrary.moduleEnding && gLibrary.faces == 0 && gLibrary.library) {
    FT_Done_FreeType(gLibrary.library);
    gLibrary.library = nullptr;
  }
}

struct ModuleEnd {
  ~ModuleEnd() {
    std::lock_guard<std::mutex> guard(gLibrary.lock);
    gLibrary.moduleEnding = true;
    ReleaseLibraryIfUnused();
  }
} gModuleEnd;

// The library with one more face counted on it; null when FreeType cannot start.
FT_Library AcquireLibrary() {
  std::lock_guard<std::mutex> guard(gLibrary.lock);
  if (!gLibrary.tried) {
    gLibrary.tried = true;
    if (FT_Init_FreeType(&gLibrary.library) != 0) gLibrary.library = nullptr;
  }
  if (gLibrary.library) ++gLibrary.faces;
  return gLibrary.library;
}

void ReleaseFace(FT_Face face) {
  std::lock_guard<std::mutex> guard(gLibrary.lock);
  if (face) FT_Done_Face(face);
  --gLibrary.faces;
  ReleaseLibraryIfUnused();
}

// Faces editors ask for that few machines have, each with the face it falls back to first when
// it is missing: fontconfig's general choice (DejaVu Sans) is wider, and texts laid out for the
// face would run out of their room. "accept" keeps the face itself first where it is installed.
constexpr char kFallbackRules[] = R"(<?xml version="1.0"?>
<fontconfig>
  <alias binding="same">
    <family>Ubuntu</family>
    <accept><family>DejaVu Sans Condensed</family></accept>
  </alias>
</fontconfig>)";

struct FontSetup {
  std::mutex lock;
  bool made = false;
  FcConfig* config = nullptr;
  std::vector<std::string> onlyFiles;  // empty: the system's fonts
};
FontSetup gFonts;

// Our own fontconfig configuration, kept for the process: a host that uses fontconfig itself
// keeps its configuration untouched. The system's fonts and rules plus ours, or only the given
// files under our rules.
FcConfig* Fonts() {
  std::lock_guard<std::mutex> guard(gFonts.lock);
  if (gFonts.made) return gFonts.config;
  gFonts.made = true;
  const bool system = gFonts.onlyFiles.empty();
  FcConfig* config = system ? FcInitLoadConfig() : FcConfigCreate();
  if (!config) return nullptr;
  FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kFallbackRules), FcTrue);
  if (system) FcConfigBuildFonts(config);
  for (const std::string& file : gFonts.onlyFiles)
    FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file.c_str()));
  gFonts.config = config;
  return config;
}

// The file fontconfig picks for the request; false when it picks none.
bool MatchFile(const SystemFontRequest& request, std::string& file, int& index) {
  FcConfig* config = Fonts();
  FcPattern* pattern = config ? FcPatternCreate() : nullptr;
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(request.face ? request.face : ""));
  FcPatternAddInteger(pattern, FC_WEIGHT,
                      request.weight >= kBoldFrom ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* path = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path;
  if (found) {
    file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  }
  FcPatternDestroy(match);
  return found;
}

// Font units of the cell: usWinAscent + usWinDescent, else ascender - descender.
void WindowsCell(FT_Face face, int& ascentUnits, int& cellUnits) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    ascentUnits = os2->usWinAscent;
    cellUnits = os2->usWinAscent + os2->usWinDescent;
  } else {
    ascentUnits = face->ascender;
    cellUnits = face->ascender - face->descender;
  }
}

}  // namespace

bool UseOnlyFontFiles(const char* const* files, int count, std::string& error) {
  std::lock_guard<std::mutex> guard(gFonts.lock);
  if (gFonts.made) {
    error = "fonts already in use";
    return false;
  }
  for (int i = 0; i < count; ++i) {
    if (std::FILE* f = std::fopen(files[i], "rb")) {
      std::fclose(f);
      gFonts.onlyFiles.push_back(files[i]);
    } else {
      error = std::string("font file missing: ") + files[i];
      gFonts.onlyFiles.clear();
      return false;
    }
  }
  return true;
}

SystemFontHandle CreateSystemFont(const SystemFontRequest& request) {
  std::string file;
  int index = 0;
  if (!MatchFile(request, file, index)) return nullptr;
  FT_Library library = AcquireLibrary();
  if (!library) return nullptr;
  FT_Face face = nullptr;
  {
    // FreeType libraries are not thread-safe: faces are opened and closed under the lock.
    std::lock_guard<std::mutex> guard(gLibrary.lock);
    if (FT_New_Face(library, file.c_str(), index, &face) != 0) face = nullptr;
  }
  if (!face) {
    ReleaseFace(nullptr);
    return nullptr;
  }
  int ascentUnits = 0, cellUnits = 0;
  WindowsCell(face, ascentUnits, cellUnits);
  if (!FT_IS_SCALABLE(face) || cellUnits <= 0 || face->units_per_EM == 0) {
    ReleaseFace(face);
    return nullptr;
  }
  // A positive height is the cell, a negative one the em; cells are whole pixels.
  const int requested = request.height == 0 ? kDefaultHeight : request.height;
  const double cell =
      requested > 0 ? requested
                    : std::round(-static_cast<double>(requested) * cellUnits / face->units_per_EM);
  const double emPixels = cell * face->units_per_EM / cellUnits;
  if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels * 64)), 72, 72) != 0) {
    ReleaseFace(face);
    return nullptr;
  }
  auto* font = new FreeTypeFont{face, static_cast<int>(cell),
                                static_cast<int>(std::lround(cell * ascentUnits / cellUnits)),
                                request.quality == kNotAntialiased};
  return font;
}

void DeleteSystemFont(SystemFontHandle handle) {
  auto* font = static_cast<FreeTypeFont*>(handle);
  if (!font) return;
  ReleaseFace(font->face);
  delete font;
}
