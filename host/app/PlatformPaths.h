// Where ferrix-host finds what is built beside it: its own folder and the module file suffix.
// One file per platform.
#pragma once

#include <string>

namespace ferrix::host {

std::string ExecutableDirectory();
const char* ModuleSuffix();  // ".so" or ".dll"

}  // namespace ferrix::host
