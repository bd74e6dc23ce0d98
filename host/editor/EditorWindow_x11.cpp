// EditorWindow on X11: a top-level window on its own display connection. Unseen windows are
// override-redirect windows at the screen's top left: XGetImage reads only what is on the screen,
// and without a window manager's frame the plug-in's window is exactly what gets captured.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "host/editor/EditorWindow.h"

namespace ferrix::host {
namespace {

// The handler is process-wide; one editor window exists at a time. Errors on our own connection
// are ours (a failed capture), errors on any other one are the plug-in's.
Display* ownDisplay = nullptr;
bool ownError = false;
char pluginError[256] = "";
XErrorHandler previousHandler = nullptr;

int OnXError(Display* display, XErrorEvent* event) {
  if (display == ownDisplay) {
    ownError = true;
    return 0;
  }
  if (pluginError[0] == '\0') {
    char text[160] = "";
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::snprintf(pluginError, sizeof pluginError,
                  "the plug-in caused an X error: %s (request %d.%d)", text, event->request_code,
                  event->minor_code);
  }
  return 0;
}

// The number of bits a mask is shifted up by, and how many it holds.
void MaskBits(unsigned long mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++bits;
  }
}

uint32_t Channel(unsigned long pixel, unsigned long mask) {
  int shift, bits;
  MaskBits(mask, shift, bits);
  if (bits == 0) return 0;
  const unsigned long value = (pixel & mask) >> shift;
  return static_cast<uint32_t>(value * 255 / ((1ul << bits) - 1));
}

// Waits for the window's MapNotify, at most kMapWait.
void WaitUntilMapped(Display* display, Window window) {
  constexpr auto kMapWait = std::chrono::seconds(2);
  const auto end = std::chrono::steady_clock::now() + kMapWait;
  XEvent event;
  while (true) {
    while (XCheckWindowEvent(display, window, StructureNotifyMask, &event))
      if (event.type == MapNotify) return;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
  }
}

class X11EditorWindow : public EditorWindow {
 public:
  X11EditorWindow(Display* display, Window window, Atom deleteWindow)
      : display_(display), window_(window), deleteWindow_(deleteWindow) {}

  ~X11EditorWindow() override {
    XDestroyWindow(display_, window_);
    XSync(display_, False);
    XSetErrorHandler(previousHandler);
    ownDisplay = nullptr;
    XCloseDisplay(display_);
  }

  void* NativeHandle() const override {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window_));
  }

  void Resize(int width, int height) override {
    FixSize(display_, window_, width, height);
    XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(display_);
  }

  bool PumpEvents() override {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == ClientMessage &&
          static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) {
        closeRequested_ = true;
      }
    }
    return !closeRequested_;
  }

  bool Capture(MemBitmap& pixels, std::string& error) override {
    XWindowAttributes attributes;
    XSync(display_, False);
    ownError = false;
    XImage* image = nullptr;
    if (XGetWindowAttributes(display_, window_, &attributes)) {
      image = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(attributes.width),
                        static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
    if (!image || ownError) {
      error = "cannot read the editor window's pixels (is it larger than the screen?)";
      if (image) XDestroyImage(image);
      return false;
    }
    const Visual* visual = attributes.visual;
    pixels.Resize(attributes.width, attributes.height);
    Pixel* bits = pixels.Bits();
    if (!bits) {
      XDestroyImage(image);
      error = "out of memory for the editor's picture";
      return false;
    }
    for (int y = 0; y < attributes.height; ++y) {
      Pixel* row = bits + static_cast<ptrdiff_t>(y) * pixels.RowSpan();
      for (int x = 0; x < attributes.width; ++x) {
        const unsigned long p = XGetPixel(image, x, y);
        row[x] = 0xFF000000u | Channel(p, visual->red_mask) << 16 |
                 Channel(p, visual->green_mask) << 8 | Channel(p, visual->blue_mask);
      }
    }
    XDestroyImage(image);
    return true;
  }

  std::string PluginError() const override { return pluginError; }

  // A window the user cannot resize: the plug-in decides the size.
  static void FixSize(Display* display, Window window, int width, int height) {
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, window, &hints);
  }

 private:
  Display* display_;
  Window window_;
  Atom deleteWindow_;
  bool closeRequested_ = false;
};

}  // namespace

void EditorWindow::PrepareForThreads() {
  XInitThreads();
}

std::unique_ptr<EditorWindow> EditorWindow::Create(const std::string& title, int width, int height,
                                                   Visibility visibility, std::string& error) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || name[0] == '\0') {
    error = "no X display: DISPLAY is not set";
    return nullptr;
  }
  Display* display = XOpenDisplay(name);
  if (!display) {
    error = std::string("cannot open the X display \"") + name + "\"";
    return nullptr;
  }
  ownDisplay = display;
  ownError = false;
  pluginError[0] = '\0';
  previousHandler = XSetErrorHandler(OnXError);

  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = StructureNotifyMask;
  attributes.override_redirect = visibility == Visibility::kUnseen;
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWBackPixel | CWEventMask | CWOverrideRedirect, &attributes);
  XStoreName(display, window, title.c_str());
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &deleteWindow, 1);
  X11EditorWindow::FixSize(display, window, width, height);
  XMapRaised(display, window);
  // Plug-ins draw once when they open; the window should be on the screen by then. A window
  // manager may keep it unmapped (another desktop, a start minimised): the editor opens anyway.
  WaitUntilMapped(display, window);
  XSync(display, False);
  if (ownError) {
    error = "cannot make the editor's window";
    XSetErrorHandler(previousHandler);
    ownDisplay = nullptr;
    XCloseDisplay(display);
    return nullptr;
  }
  return std::make_unique<X11EditorWindow>(display, window, deleteWindow);
}

}  // namespace ferrix::host
