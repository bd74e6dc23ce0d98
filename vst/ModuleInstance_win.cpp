// Records the instance handle at every DllMain notification (load, unload, thread start and
// end); the notification always answers success.
#include <windows.h>

#include "vst/ModuleInstance.h"

namespace {

HINSTANCE gInstance = nullptr;

}  // namespace

void* ModuleInstance() {
  return gInstance;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
  gInstance = instance;
  return TRUE;
}
