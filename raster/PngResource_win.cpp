// FindPngResource on Windows: a resource of type "PNG" in the module's own resources.
#include <windows.h>

#include "raster/PngResource.h"

bool FindPngResource(ModuleHandle module, int id, const void** data, int32_t* size) {
  auto instance = static_cast<HMODULE>(module);
  HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(id), "PNG");
  if (!resource) return false;
  const DWORD bytes = SizeofResource(instance, resource);
  if (bytes <= 7) return false;
  HGLOBAL loaded = LoadResource(instance, resource);
  const void* locked = loaded ? LockResource(loaded) : nullptr;
  if (!locked) return false;
  *data = locked;
  *size = static_cast<int32_t>(bytes);
  return true;
}
