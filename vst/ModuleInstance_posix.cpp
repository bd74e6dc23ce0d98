// Records the module instance when the shared object is loaded and unloaded (its constructor and
// destructor stand in for the Windows module notifications). On Linux the instance is the
// module's resource table, kModuleResources, which a module with images generates with
// ferrix_embed_resources; a module without images has none and records null.
#include "platform/ModuleInstance.h"
#include "platform/ResourceTable.h"

extern const ResourceTable kModuleResources __attribute__((weak));

namespace {

void RecordInstance() {
  SetModuleInstance(const_cast<ResourceTable*>(&kModuleResources));
}

__attribute__((constructor)) void ModuleLoaded() {
  RecordInstance();
}

__attribute__((destructor)) void ModuleUnloaded() {
  RecordInstance();
}

}  // namespace
