// The first place that holds the file wins; when none does, the name beside the executable is
// answered, so that the error names the usual place.
#include "host/app/BundledFiles.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "host/app/PlatformPaths.h"

namespace ferrix::host {
namespace {

std::string Find(const std::string& name, const char* installedFolder) {
  const std::filesystem::path here(ExecutableDirectory());
  std::error_code ec;
  for (const std::filesystem::path& candidate : {here / name, here / installedFolder / name}) {
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate.string();
  }
  return (here / name).string();
}

}  // namespace

std::string DefaultPluginPath() {
  return Find(std::string("Ferrix") + ModuleSuffix(), "../lib/vst");
}

std::string DemoPath() {
  return Find("ferrix-demo.wav", "../share/ferrix");
}

}  // namespace ferrix::host
