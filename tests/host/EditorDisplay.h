// A display for ferrix-host's editor windows: a private Xvfb (large enough for a 640 x 480
// editor) on Linux, the desktop wine already runs in on Windows. One file per platform.
#pragma once

#include <memory>
#include <string>

namespace ferrix::host::testing {

class EditorDisplay {
 public:
  EditorDisplay();
  ~EditorDisplay();
  // Empty when editors can be opened; otherwise why not.
  std::string Failure() const;

 private:
  struct Server;
  std::unique_ptr<Server> server_;
};

}  // namespace ferrix::host::testing
