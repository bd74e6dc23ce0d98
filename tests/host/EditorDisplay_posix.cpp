// EditorDisplay on Linux: Xvfb points DISPLAY at itself for the children ferrix-host runs as.
#include "tests/graphics_x11/XvfbServer.h"
#include "tests/host/EditorDisplay.h"

namespace ferrix::host::testing {

struct EditorDisplay::Server {
  XvfbServer xvfb{"1280x1024x24"};
};

EditorDisplay::EditorDisplay() : server_(std::make_unique<Server>()) {}
EditorDisplay::~EditorDisplay() = default;

std::string EditorDisplay::Failure() const {
  return server_->xvfb.Failure();
}

}  // namespace ferrix::host::testing
