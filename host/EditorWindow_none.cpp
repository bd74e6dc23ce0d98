// EditorWindow where ferrix-host has no window system code yet: every editor job says so.
#include "host/EditorWindow.h"

namespace ferrix::host {

std::unique_ptr<EditorWindow> EditorWindow::Create(const std::string&, int, int, Visibility,
                                                   std::string& error) {
  error = "this build of ferrix-host cannot open editor windows";
  return nullptr;
}

}  // namespace ferrix::host
