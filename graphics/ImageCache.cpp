// ImageCache: locked lookup and insert; the bitmaps are deleted at unload.
#include "graphics/ImageCache.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

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

void ImageCache::DecodeAll() {
  std::vector<RasterBitmap*> bitmaps;
  {
    LockGuard guard(lock_);
    for (int i = 0; i < entries_.Count(); ++i)
      if (entries_.Get(i)->bitmap) bitmaps.push_back(entries_.Get(i)->bitmap);
  }
  // Largest first, so the two threads end close together. Asking for the pixels decodes them
  // (once, whichever thread asks first); the sizes come from the headers without decoding.
  std::sort(bitmaps.begin(), bitmaps.end(), [](RasterBitmap* a, RasterBitmap* b) {
    return int64_t{a->Width()} * a->Height() > int64_t{b->Width()} * b->Height();
  });
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < bitmaps.size(); i = next++)
      bitmaps[i]->Bits();
  };
  std::thread helper;
  try {
    if (bitmaps.size() > 1) helper = std::thread(work);
  } catch (const std::system_error&) {
    // No thread to be had: this thread decodes them all.
  }
  work();
  if (helper.joinable()) helper.join();
}

ImageCache& ModuleImageCache() {
  static ImageCache cache;
  return cache;
}
