// On Linux the linked images are the generated resource table kModuleResources.
#include "effect/ExecutableImages.h"
#include "platform/ResourceTable.h"

extern const ResourceTable kModuleResources;

ModuleHandle ExecutableImages() {
  return const_cast<ResourceTable*>(&kModuleResources);
}
