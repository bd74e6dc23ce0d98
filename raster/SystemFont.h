// The system font a CachedFont wraps: made from the same request as Win32 CreateFontA (GDI on
// Windows; fontconfig and FreeType on Linux, where a missing face falls back to the best match).
#pragma once

#include <string>

#include "raster/RasterFont.h"

struct SystemFontRequest {
  int height = 12;     // > 0: cell height; < 0: character (em) height; pixels
  int escapement = 0;  // tenths of a degree (Windows only)
  int weight = 400;    // 400 normal, 700 bold
  bool italic = false;
  int quality = 0;  // CreateFontA quality: 3 not antialiased (monochrome), else antialiased
  const char* face = "Verdana";
};

// Null when the system cannot make the font.
SystemFontHandle CreateSystemFont(const SystemFontRequest& request);
void DeleteSystemFont(SystemFontHandle font);

// Every font from these files only (Linux), whatever else the machine has: tests and tools that
// must draw the same pixels everywhere call it before the first font. False, with the reason in
// error (a missing file named), when a file cannot be read or fonts were made already. Windows
// draws with the system's fonts and answers true.
bool UseOnlyFontFiles(const char* const* files, int count, std::string& error);
