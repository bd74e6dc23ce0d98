// The module's own instance handle, saved at start-up: on Windows the DLL's HINSTANCE (from
// DllMain), on Linux the module's generated resource table. Resource lookups take it.
#pragma once

using ModuleHandle = void*;

void SetModuleInstance(ModuleHandle module);
ModuleHandle ModuleInstance();
