// EditorWindow: the top-level window ferrix-host hands to a plug-in's effEditOpen, on the
// platform's own window system (X11 on Linux, Win32 on Windows; one file each).
//
// Threads: everything on the editor thread, the one that also sends the plug-in's editor
// requests. While the window exists, window-system errors the plug-in causes (X11) are caught
// and remembered instead of ending the process; the previous handler is put back afterwards.
#pragma once

#include <memory>
#include <string>

#include "raster/MemBitmap.h"

namespace ferrix::host {

class EditorWindow {
 public:
  enum class Visibility {
    kShown,   // a normal window on the desktop, closable by the user
    kUnseen,  // nobody sees it, yet it is painted and can be captured
  };

  // Once, before the plug-in is loaded: plug-ins may drive their editors from threads of their
  // own, and Xlib must be made ready for threads before anything in the process uses it.
  static void PrepareForThreads();
  // Null with a one-line reason (no display, the window cannot be made).
  static std::unique_ptr<EditorWindow> Create(const std::string& title, int width, int height,
                                              Visibility visibility, std::string& error);
  virtual ~EditorWindow() = default;

  // What effEditOpen takes as its parent: the X11 window id or the HWND.
  virtual void* NativeHandle() const = 0;
  // The client area's new size (the plug-in changed its editor's).
  virtual void Resize(int width, int height) = 0;
  // Handles the pending events; false once the user asked to close the window.
  virtual bool PumpEvents() = 0;
  // The client area's pixels, the plug-in's windows inside it included, opaque.
  virtual bool Capture(MemBitmap& pixels, std::string& error) = 0;
  // The first window-system error the plug-in caused, as one line; empty when none.
  virtual std::string PluginError() const = 0;
};

}  // namespace ferrix::host
