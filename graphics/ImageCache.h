// ImageCache: the module-wide store of image bitmaps by resource id, shared by every editor the
// module opens. Never evicts; a null bitmap (missing or undecodable image) is cached like any
// other, so a failed image is tried once. Emptied when the module unloads.
#pragma once

#include <cstdint>

#include "support/PointerList.h"
#include "support/RecursiveLock.h"

class RasterBitmap;

class ImageCache {
 public:
  ImageCache() = default;
  ~ImageCache();
  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;

  // The first entry for id: true with its bitmap (which may be null), false when there is none.
  bool Lookup(int id, RasterBitmap** bitmap);
  // Appends an entry without looking for an existing one; the cache takes the bitmap. Creating
  // the bitmap happens outside the lock, so two threads may both insert: lookups find the first.
  // Answers the bitmap, or null when the list could not grow (the bitmap is then deleted).
  RasterBitmap* Insert(RasterBitmap* bitmap, int id);
  int NEntries();
  // Decodes every entry's pixels that are not decoded yet, shared between this thread and one
  // helper thread (joined before answering), so a first paint needing all the images waits for
  // about half of their decoding. Pixels already there cost nothing.
  void DecodeAll();

 private:
  struct Entry {
    int32_t id;
    RasterBitmap* bitmap;
  };

  PointerList<Entry> entries_;
  RecursiveLock lock_;
};

// The cache of this module.
ImageCache& ModuleImageCache();
