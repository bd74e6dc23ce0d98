// LoadPngResource on Windows: a resource of type "PNG" in the module's own resources.
#include <windows.h>

#include "raster/LoadPng.h"

MemBitmap* LoadPngResource(ModuleHandle module, int id) {
  auto instance = static_cast<HMODULE>(module);
  HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(id), "PNG");
  if (!resource) return nullptr;
  const DWORD size = SizeofResource(instance, resource);
  if (size <= 7) return nullptr;
  HGLOBAL loaded = LoadResource(instance, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return nullptr;
  return LoadPngMemory(data, static_cast<int32_t>(size));
}
