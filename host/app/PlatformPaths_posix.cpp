// The executable's folder from /proc/self/exe.
#include <filesystem>
#include <system_error>

#include "host/app/PlatformPaths.h"

namespace ferrix::host {

std::string ExecutableDirectory() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : self.parent_path().string();
}

const char* ModuleSuffix() {
  return ".so";
}

}  // namespace ferrix::host
