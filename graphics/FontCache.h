// FontCache: the module-wide store of fonts by text-style key (size, orientation, style and face,
// the face compared byte for byte), shared by every editor the module opens. Colours, alignment
// and quality are not part of the key. Never evicts; emptied when the module unloads.
#pragma once

#include <cstdint>

#include "graphics/ITextStyle.h"
#include "support/PointerList.h"
#include "support/RecursiveLock.h"

class RasterFont;

class FontCache {
 public:
  FontCache() = default;
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The font of the first entry whose key matches the style's, or null.
  RasterFont* Lookup(const ITextStyle& style);
  // Appends an entry under the style's key; the cache takes the font. Answers the font, or null
  // when the list could not grow (the font is then deleted).
  RasterFont* Insert(RasterFont* font, const ITextStyle& style);
  int NEntries();

 private:
  struct Entry {
    int32_t size;
    int32_t orientation;
    int32_t style;
    char face[ITextStyle::kFaceSize];
    RasterFont* font;
  };

  PointerList<Entry> entries_;
  RecursiveLock lock_;
};

// The cache of this module.
FontCache& ModuleFontCache();

// The style's font: its cached pointer, else the font cache's, else a new font from the system
// (then cached). Null when the system cannot make it; nothing is cached then, so the next draw
// tries again. Stores the answer in the style.
RasterFont* FindOrCreateFont(ITextStyle* style);
