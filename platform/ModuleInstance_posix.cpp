// Records the shared object's load address when it is loaded and unloaded (the constructor and
// destructor of the module stand in for the Windows module notifications).
#include <dlfcn.h>

#include "vst/ModuleInstance.h"

namespace {

void* gInstance = nullptr;

void RecordInstance() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&RecordInstance), &info) != 0) gInstance = info.dli_fbase;
}

__attribute__((constructor)) void ModuleLoaded() {
  RecordInstance();
}

__attribute__((destructor)) void ModuleUnloaded() {
  RecordInstance();
}

}  // namespace

void* ModuleInstance() {
  return gInstance;
}
