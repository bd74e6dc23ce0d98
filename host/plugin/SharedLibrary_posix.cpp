// Shared libraries through dlopen: each plug-in keeps its own symbols (RTLD_LOCAL).
#include "host/plugin/SharedLibrary.h"

#include <dlfcn.h>

namespace ferrix::host {

void* OpenSharedLibrary(const std::string& path, std::string& why) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* error = dlerror();
    why = error != nullptr ? error : "dlopen failed";
  }
  return library;
}

void* FindSharedSymbol(void* library, const char* name) {
  return dlsym(library, name);
}

void CloseSharedLibrary(void* library) {
  dlclose(library);
}

}  // namespace ferrix::host
