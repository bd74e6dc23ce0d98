// Opening a shared library (a plug-in module) and looking up its symbols; one file per platform.
#pragma once

#include <string>

namespace ferrix::host {

// Answers the library handle, or null with the system's reason in `why`.
void* OpenSharedLibrary(const std::string& path, std::string& why);
void* FindSharedSymbol(void* library, const char* name);
void CloseSharedLibrary(void* library);

}  // namespace ferrix::host
