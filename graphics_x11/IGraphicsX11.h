// IGraphicsX11: the editor as an X11 child window inside the window the host passes to
// effEditOpen. Each open window has its own Display connection, so two editors (or the host's
// own toolkit) never share one.
//
// Threads: X is only ever called on the host's editor thread, the one that sends effEditOpen,
// effEditIdle and effEditClose. Nothing here has a timer or thread of its own: effEditIdle drains
// the window's events and, once a frame period (1000 / frame rate ms) has passed, collects the
// dirty controls, redraws them into the canvas and presents them. The audio thread only marks
// controls dirty (IGraphics), so it never reaches X.
//
// Plug-ins get this window from CreatePlatformEditor on Linux; AttachEditor then advertises
// effFlagsHasEditor. Hosts that never send effEditIdle see a window that is not redrawn.
#pragma once

#include <chrono>
#include <cstdint>

#include "graphics/IGraphicsHeadless.h"

struct _XDisplay;
union _XEvent;

class IGraphicsX11 : public IGraphicsHeadless {
 public:
  using IGraphicsHeadless::IGraphicsHeadless;
  ~IGraphicsX11() override;

  bool CanOpenWindow() const override { return true; }

  // parent is the host's X11 window id. Null (with nothing left open) when there is no display,
  // the parent is not a window, or the window cannot be made.
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  void* WindowHandle() override;
  // Copies the canvas's area to the window; false when no window is open.
  bool PresentArea(const IBounds& area) override;
  void Idle() override;

  // Handles every pending event; then the redraw step when a frame period has passed since the
  // last one (or force).
  void IdleStep(bool force);
  _XDisplay* Display() const { return display_; }
  unsigned long XWindow() const { return window_; }

  // Longest gap (ms) and largest distance (pixels) between two presses of a double-click.
  static constexpr unsigned long kDoubleClickMs = 400;
  static constexpr int kDoubleClickDistance = 4;

 private:
  void HandleEvent(_XEvent* event);
  void HandleButton(_XEvent* event, bool press);
  void HandleMotion(_XEvent* event);
  void HandleKey(_XEvent* event);
  void RedrawStep();

  _XDisplay* display_ = nullptr;
  unsigned long window_ = 0;
  std::chrono::steady_clock::time_point lastRedraw_{};
  bool pointerGrabbed_ = false;
  bool trackingLeave_ = false;
  unsigned long lastPressTime_ = 0;
  int lastPressX_ = -1000;
  int lastPressY_ = -1000;
  bool lastPressWasDouble_ = false;
  bool inIdle_ = false;
  bool closePending_ = false;
};
