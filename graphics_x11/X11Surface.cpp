// X11Surface: making, presenting and destroying our own small windows.
#include "graphics_x11/X11Surface.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

X11Surface::X11Surface(Display* display, unsigned long parent, int x, int y, int width, int height,
                       bool overrideRedirect, long eventMask)
    : display_(display), x_(x), y_(y), width_(width), height_(height), bitmap_(width, height) {
  XVisualInfo visual;
  if (!bitmap_.Bits() ||
      !XMatchVisualInfo(display_, DefaultScreen(display_), 24, TrueColor, &visual))
    return;
  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display_, parent, visual.visual, AllocNone);
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.override_redirect = overrideRedirect ? True : False;
  attributes.save_under = overrideRedirect ? True : False;
  attributes.event_mask = eventMask;
  window_ = XCreateWindow(
      display_, parent, x, y, width, height, 0, 24, InputOutput, visual.visual,
      CWColormap | CWBackPixmap | CWBorderPixel | CWOverrideRedirect | CWSaveUnder | CWEventMask,
      &attributes);
  XFreeColormap(display_, attributes.colormap);
}

X11Surface::~X11Surface() {
  if (window_) XDestroyWindow(display_, window_);
}

void X11Surface::Present() {
  if (window_) PutBitmapArea(display_, window_, &bitmap_, 0, 0, width_, height_);
}

bool PutBitmapArea(Display* display, unsigned long window, RasterBitmap* bitmap, int x, int y,
                   int width, int height) {
  XVisualInfo visual;
  if (!XMatchVisualInfo(display, DefaultScreen(display), 24, TrueColor, &visual)) return false;
  XImage* image =
      XCreateImage(display, visual.visual, 24, ZPixmap, 0, reinterpret_cast<char*>(bitmap->Bits()),
                   bitmap->Width(), bitmap->Height(), 32, bitmap->RowSpan() * 4);
  if (!image) return false;
  image->byte_order = LSBFirst;  // the bitmap's bytes are blue, green, red, alpha
  GC gc = XCreateGC(display, window, 0, nullptr);
  XPutImage(display, window, gc, image, x, y, x, y, width, height);
  XFreeGC(display, gc);
  image->data = nullptr;  // the bitmap owns the pixels
  XDestroyImage(image);
  return true;
}
