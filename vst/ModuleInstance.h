// The module's instance handle, recorded at every module notification; the editor finds the
// module's resources through it. Windows: the HINSTANCE DllMain receives. Linux: the address
// the shared object is loaded at, which identifies it to the resource table.
#pragma once

// Null until the module has been notified (never, outside a plug-in module).
void* ModuleInstance();
