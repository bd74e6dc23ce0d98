// ImageCache: locked lookup and insert; the bitmaps are deleted at unload.
#include "graphics/ImageCache.h"

#include "raster/RasterBitmap.h"

ImageCache::~ImageCache() {
  // Bitmaps in list order first; the owning list then frees the entries last to first.
  for (int i = 0; i < entries_.Count(); ++i) {
    delete entries_.Get(i)->bitmap;
    entries_.Get(i)->bitmap = nullptr;
  }
}

bool ImageCache::Lookup(int id, RasterBitmap** bitmap) {
  LockGuard guard(lock_);
  for (int i = 0; i < entries_.Count(); ++i) {
    const Entry* entry = entries_.Get(i);
    if (entry->id == id) {
      *bitmap = entry->bitmap;
      return true;
    }
  }
  return false;
}

RasterBitmap* ImageCache::Insert(RasterBitmap* bitmap, int id) {
  auto* entry = new Entry{id, bitmap};
  LockGuard guard(lock_);
  if (entries_.Add(entry)) return bitmap;
  delete bitmap;
  delete entry;
  return nullptr;
}

int ImageCache::NEntries() {
  LockGuard guard(lock_);
  return entries_.Count();
}

ImageCache& ModuleImageCache() {
  static ImageCache cache;
  return cache;
}
