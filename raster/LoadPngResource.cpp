// LoadPngResource: decodes a module's "PNG" resource at once.
#include "raster/LoadPng.h"
#include "raster/PngResource.h"

MemBitmap* LoadPngResource(ModuleHandle module, int id) {
  const void* data = nullptr;
  int32_t size = 0;
  if (!FindPngResource(module, id, &data, &size)) return nullptr;
  return LoadPngMemory(data, size);
}
