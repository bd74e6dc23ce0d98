// Under wine the build tree is reached through drive Z:, which maps the Unix root.
#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {

std::string NativePath(const char* buildPath) {
  std::string path = buildPath;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    c = c == '/' ? '\\' : c;
  return path;
}

}  // namespace ferrix::vst::testing
