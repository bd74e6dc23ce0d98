// IGraphicsX11: opening and closing the child window, presenting the canvas, the driving step.
#include "graphics_x11/IGraphicsX11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "graphics_x11/SpawnedProgram.h"
#include "graphics_x11/X11DrawingLock.h"
#include "graphics_x11/X11ErrorTrap.h"
#include "graphics_x11/X11Visual.h"
#include "raster/SysBitmap.h"

IGraphicsX11::~IGraphicsX11() {
  CloseEditorWindow();
}

void* IGraphicsX11::OpenEditorWindow(void* parent) {
  const auto parentWindow = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
  if (SteppingHere()) {
    // The step still uses the old connection; it replaces it on its way out.
    if (!parentWindow || !display_) return nullptr;
    deferred_ = Deferred::Reopen;
    deferredParent_ = parentWindow;
    return parent;
  }
  std::lock_guard<std::mutex> lock(windowMutex_);
  StopDriving();
  DestroyWindowAndConnection();
  if (!CreateWindowAndConnection(parentWindow)) return nullptr;
  StartDriverThread();
  return WindowHandle();
}

bool IGraphicsX11::CreateWindowAndConnection(unsigned long parentWindow) {
  if (!parentWindow || !Canvas()) return false;
  display_ = XOpenDisplay(nullptr);
  if (!display_) return false;
  {
    X11ErrorTrap trap(display_);
    XWindowAttributes parentAttributes;
    XVisualInfo visual;
    const bool hasVisual = FindTrueColorVisual(display_, &visual);
    if (!hasVisual) std::fprintf(stderr, "editor window: the screen has no TrueColor visual\n");
    if (hasVisual && XGetWindowAttributes(display_, parentWindow, &parentAttributes) && trap.Ok()) {
      XSetWindowAttributes attributes{};
      attributes.colormap = XCreateColormap(display_, parentWindow, visual.visual, AllocNone);
      attributes.background_pixmap = None;
      attributes.border_pixel = 0;
      attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | EnterWindowMask | LeaveWindowMask | KeyPressMask |
                              KeyReleaseMask | StructureNotifyMask;
      window_ = XCreateWindow(display_, parentWindow, 0, 0, Width(), Height(), 0, visual.depth,
                              InputOutput, visual.visual,
                              CWColormap | CWBackPixmap | CWBorderPixel | CWEventMask, &attributes);
      XFreeColormap(display_, attributes.colormap);
      XMapWindow(display_, window_);
      if (!trap.Ok()) window_ = 0;
      hostWindow_ = parentWindow;
      if (window_)
        presenter_ = std::make_unique<X11CanvasPresenter>(display_, window_, Width(), Height(),
                                                          sharedMemoryAllowed_);
    }
  }
  if (!window_) {
    XCloseDisplay(display_);
    display_ = nullptr;
    return false;
  }
  MarkAllControlsDirty();
  lastRedraw_ = {};
  return true;
}

void IGraphicsX11::CloseEditorWindow() {
  if (SteppingHere()) {
    // Closing from inside an input call: the step still uses the connection, so it closes it on
    // its way out (a driving thread then ends; the next close, open or the destructor joins it).
    if (display_) deferred_ = Deferred::Close;
    return;
  }
  std::lock_guard<std::mutex> lock(windowMutex_);
  StopDriving();
  DestroyWindowAndConnection();
}

void IGraphicsX11::DestroyWindowAndConnection() {
  ReapSpawnedPrograms();  // web browsers started from this window
  if (!display_) return;
  // A press whose release the closed window will never see ends here, gesture and all.
  if (CaptureIndex() >= 0) MouseUp(-1, -1, IMouseKeys{});
  {
    X11ErrorTrap trap(display_);
    hostMenu_.reset();  // its answer is dropped with the window
    DestroyTextEntry();
    presenter_.reset();
    // The host may have destroyed its window (and ours with it) already.
    if (pointerGrabbed_) XUngrabPointer(display_, CurrentTime);
    if (window_) XDestroyWindow(display_, window_);
  }
  XCloseDisplay(display_);
  display_ = nullptr;
  window_ = 0;
  pointerGrabbed_ = false;
  trackingLeave_ = false;
  lastPressWasDouble_ = false;
  keysTaken_.reset();
  lastPressTime_ = 0;
}

void* IGraphicsX11::WindowHandle() {
  return window_ ? reinterpret_cast<void*>(static_cast<uintptr_t>(window_)) : nullptr;
}

bool IGraphicsX11::PresentArea(const IBounds& area) {
  SysBitmap* canvas = Canvas();
  if (!display_ || !window_ || !canvas) return false;
  const int left = std::max(0, area.left), top = std::max(0, area.top);
  const int right = std::min(Width(), area.right), bottom = std::min(Height(), area.bottom);
  if (right <= left || bottom <= top) return true;
  // Inside the driving step's trap this one costs nothing; a failed request (a window the host
  // just destroyed) is caught, and not waited for.
  X11ErrorTrap trap(display_);
  return presenter_ && presenter_->Put(canvas, left, top, right - left, bottom - top);
}

void IGraphicsX11::Idle() {
  IdleStep(false);
}

void IGraphicsX11::IdleStep(bool force) {
  if (!BeginStep(Driver::Host)) return;
  DriveStep(force);
  EndStep();
}

void IGraphicsX11::DrainEvents() {
  if (!BeginStep(Driver::Host)) return;
  DriveStep(false, false);
  EndStep();
}

void IGraphicsX11::DriveStep(bool force, bool timer) {
  if (display_) {
    // An input call on a window the host has just unmapped or destroyed fails harmlessly; the
    // default handler would end the host's process.
    X11ErrorTrap trap(display_);
    while (deferred_ == Deferred::Nothing && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      HandleEvent(&event);
    }
    EndHostMenuWhenOver();  // a dismissing press's release that never came
    const auto now = std::chrono::steady_clock::now();
    if (timer && deferred_ == Deferred::Nothing && window_ &&
        (force || now - lastRedraw_ >= FramePeriod())) {
      lastRedraw_ = now;
      RedrawStep();
    }
  }
  const Deferred request = std::exchange(deferred_, Deferred::Nothing);
  if (request == Deferred::Nothing) return;
  DestroyWindowAndConnection();
  // The reopened window keeps the driver of the old one.
  if (request == Deferred::Reopen) CreateWindowAndConnection(deferredParent_);
}

bool IGraphicsX11::Viewable() {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display_, window_, &attributes) && attributes.map_state == IsViewable;
}

void IGraphicsX11::RedrawStep() {
  // Hidden (the host unmapped its window or ours): the controls stay dirty until it shows again.
  if (!EntryTimerStep() && Viewable()) {
    std::lock_guard<std::mutex> lock(X11DrawingMutex());
    IBounds area{};
    // Presenting cannot paint over an open entry: X clips a window's drawing to exclude its
    // children.
    if (CollectDirtyArea(&area)) {
      RedrawArea(area);
      if (entry_) entryState_ = EntryRedrawn;
    }
  }
  XFlush(display_);
}
