// Records the instance handle at every DllMain notification (load, unload, thread start and
// end), so that resources are found in this DLL and not in the host; answers success.
#include <windows.h>

#include "platform/ModuleInstance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
  SetModuleInstance(instance);
  return TRUE;
}
