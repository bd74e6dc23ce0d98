// The executable's folder from GetModuleFileNameA.
#include <windows.h>

#include <filesystem>

#include "host/app/PlatformPaths.h"

namespace ferrix::host {

std::string ExecutableDirectory() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ".";
  return std::filesystem::path(path).parent_path().string();
}

const char* ModuleSuffix() {
  return ".dll";
}

}  // namespace ferrix::host
