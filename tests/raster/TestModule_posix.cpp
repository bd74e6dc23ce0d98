// On Linux the test executable's images are the generated table kRasterTestResources.
#include "platform/ResourceTable.h"
#include "tests/raster/TestModule.h"

extern const ResourceTable kRasterTestResources;

ModuleHandle TestModule() {
  return const_cast<ResourceTable*>(&kRasterTestResources);
}
