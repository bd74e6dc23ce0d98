// What all fonts of the process share: the glyph and text scratch bitmaps, the Wine state and
// the two caches of whether the system is of the Unicode (NT) family.
#pragma once

#include "raster/SysBitmap.h"

// Made 0 x 0 on first use and destroyed at exit; the window thread only.
SysBitmap& GlyphScratch();
SysBitmap& TextScratch();
// Makes the glyph scratch at least width x height (growing only) and sets it up for glyphs.
void EnsureGlyphScratch(int width, int height);

// 1 under the Wine compatibility layer, else 0; determined once.
int WineState();
// Test seam: -1 determines the state afresh on next use.
void SetWineStateForTesting(int state);

// Unicode-family tests, each made once: glyph rendering's (also tells whether it was made).
bool GlyphUnicodeFamily();
bool GlyphUnicodeTestMade();
bool NativeUnicodeFamily();

// Platform part (FontPlatform_win.cpp / FontPlatform_posix.cpp).
bool DetectWine();
bool SystemIsUnicodeFamily();
