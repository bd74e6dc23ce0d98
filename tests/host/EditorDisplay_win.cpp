// EditorDisplay on Windows: the desktop is always there (under wine, inside xvfb-run).
#include "tests/host/EditorDisplay.h"

namespace ferrix::host::testing {

struct EditorDisplay::Server {};

EditorDisplay::EditorDisplay() = default;
EditorDisplay::~EditorDisplay() = default;

std::string EditorDisplay::Failure() const {
  return {};
}

}  // namespace ferrix::host::testing
