// Storage of the module instance handle.
#include "platform/ModuleInstance.h"

#include <atomic>

namespace {
std::atomic<ModuleHandle> moduleInstance{nullptr};
}

void SetModuleInstance(ModuleHandle module) {
  moduleInstance.store(module);
}

ModuleHandle ModuleInstance() {
  return moduleInstance.load();
}
