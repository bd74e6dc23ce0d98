// Shared libraries through LoadLibrary.
#include "host/plugin/SharedLibrary.h"

#include <windows.h>

namespace ferrix::host {

void* OpenSharedLibrary(const std::string& path, std::string& why) {
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    why = "LoadLibrary failed with error " + std::to_string(GetLastError());
  }
  return reinterpret_cast<void*>(library);
}

void* FindSharedSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseSharedLibrary(void* library) {
  FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace ferrix::host
