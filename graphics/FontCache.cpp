// FontCache: locked lookup and insert, and making a style's font on a miss.
#include "graphics/FontCache.h"

#include <cstring>

#include "raster/CachedFont.h"
#include "raster/SystemFont.h"

namespace {
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;

// The style's quality as the system's font request names it.
int SystemQuality(int32_t quality) {
  switch (quality) {
    case ITextStyle::DefaultQuality:
      return 0;
    case ITextStyle::Antialiased:
      return 4;
    case ITextStyle::ClearType:
      return 5;
    default:  // NotAntialiased and anything unknown
      return 3;
  }
}
}  // namespace

FontCache::~FontCache() {
  for (int i = 0; i < entries_.Count(); ++i) {
    delete entries_.Get(i)->font;
    entries_.Get(i)->font = nullptr;
  }
}

RasterFont* FontCache::Lookup(const ITextStyle& style) {
  LockGuard guard(lock_);
  for (int i = 0; i < entries_.Count(); ++i) {
    const Entry* entry = entries_.Get(i);
    if (entry->size == style.size && entry->orientation == style.orientation &&
        entry->style == style.style &&
        std::strncmp(entry->face, style.face, sizeof entry->face) == 0)
      return entry->font;
  }
  return nullptr;
}

RasterFont* FontCache::Insert(RasterFont* font, const ITextStyle& style) {
  auto* entry = new Entry{style.size, style.orientation, style.style, {}, font};
  std::memcpy(entry->face, style.face, sizeof entry->face);
  entry->face[sizeof entry->face - 1] = '\0';
  LockGuard guard(lock_);
  if (entries_.Add(entry)) return font;
  delete font;
  delete entry;
  return nullptr;
}

int FontCache::NEntries() {
  LockGuard guard(lock_);
  return entries_.Count();
}

FontCache& ModuleFontCache() {
  static FontCache cache;
  return cache;
}

RasterFont* FindOrCreateFont(ITextStyle* style) {
  if (!style) return nullptr;
  FontCache& cache = ModuleFontCache();
  RasterFont* font = cache.Lookup(*style);
  if (!font) {
    SystemFontRequest request;
    request.height = style->size;
    request.escapement = style->orientation * 10;
    request.weight = style->style == ITextStyle::Bold ? kBoldWeight : kNormalWeight;
    request.italic = style->style == ITextStyle::Italic;
    request.quality = SystemQuality(style->quality);
    char face[ITextStyle::kFaceSize];
    std::memcpy(face, style->face, sizeof face);
    face[sizeof face - 1] = '\0';
    request.face = face;
    SystemFontHandle handle = CreateSystemFont(request);
    if (!handle) return nullptr;
    auto* created = new CachedFont;
    created->AttachSystemFont(handle, FONT_OWNS_HANDLE | FONT_NATIVE);
    font = cache.Insert(created, *style);
    if (!font) return nullptr;
  }
  style->cachedFont = font;
  return font;
}
