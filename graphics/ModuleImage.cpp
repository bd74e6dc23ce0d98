// ModuleImage: the extension rule and the lazily decoded module resource.
#include "graphics/ModuleImage.h"

#include <cctype>
#include <cstring>

#include "platform/ModuleInstance.h"
#include "raster/LazyPngBitmap.h"
#include "raster/PngResource.h"

bool HasPngExtension(const char* name) {
  if (!name) return false;
  for (size_t i = std::strlen(name); i-- > 1;) {
    if (name[i] != '.') continue;
    const char* extension = name + i + 1;
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    return std::strlen(extension) == 3 && lower(extension[0]) == 'p' &&
           lower(extension[1]) == 'n' && lower(extension[2]) == 'g';
  }
  return false;
}

RasterBitmap* LoadModuleImage(int id, const char* name) {
  if (!HasPngExtension(name)) return nullptr;
  const void* data = nullptr;
  int32_t size = 0;
  if (!FindPngResource(ModuleInstance(), id, &data, &size)) return nullptr;
  return LazyPngBitmap::Create(data, size);
}
