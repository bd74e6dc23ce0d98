// LoadPngResource on Linux: the module handle is the module's generated resource table.
#include "platform/ResourceTable.h"
#include "raster/LoadPng.h"

MemBitmap* LoadPngResource(ModuleHandle module, int id) {
  const ResourceEntry* entry =
      FindResourceEntry(static_cast<const ResourceTable*>(module), id, "PNG");
  if (!entry || entry->size <= 7) return nullptr;
  return LoadPngMemory(entry->bytes, entry->size);
}
