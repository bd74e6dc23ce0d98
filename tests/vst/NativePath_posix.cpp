// Build paths are native paths on Linux.
#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {

std::string NativePath(const char* buildPath) {
  return buildPath;
}

}  // namespace ferrix::vst::testing
