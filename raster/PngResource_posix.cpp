// FindPngResource on Linux: the module handle is the module's generated resource table.
#include "platform/ResourceTable.h"
#include "raster/PngResource.h"

bool FindPngResource(ModuleHandle module, int id, const void** data, int32_t* size) {
  const ResourceEntry* entry =
      FindResourceEntry(static_cast<const ResourceTable*>(module), id, "PNG");
  if (!entry || entry->size <= 7) return false;
  *data = entry->bytes;
  *size = entry->size;
  return true;
}
