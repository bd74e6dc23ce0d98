// X11Surface: making, presenting and destroying our own small windows.
#include "graphics_x11/X11Surface.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

#include "graphics_x11/X11Visual.h"

X11Surface::X11Surface(Display* display, unsigned long parent, int x, int y, int width, int height,
                       bool overrideRedirect, long eventMask)
    : display_(display), x_(x), y_(y), width_(width), height_(height), bitmap_(width, height) {
  XVisualInfo visual;
  if (!bitmap_.Bits() || !FindTrueColorVisual(display_, &visual)) return;
  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display_, parent, visual.visual, AllocNone);
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.override_redirect = overrideRedirect ? True : False;
  attributes.save_under = overrideRedirect ? True : False;
  attributes.event_mask = eventMask;
  window_ = XCreateWindow(
      display_, parent, x, y, width, height, 0, visual.depth, InputOutput, visual.visual,
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
  if (!FindTrueColorVisual(display, &visual)) return false;
  const bool direct = HoldsCanvasPixels(visual);
  // Directly from the bitmap's pixels; otherwise through an image of the area in the visual's.
  XImage* image = direct ? XCreateImage(display, visual.visual, 24, ZPixmap, 0,
                                        reinterpret_cast<char*>(bitmap->Bits()), bitmap->Width(),
                                        bitmap->Height(), 32, bitmap->RowSpan() * 4)
                         : XCreateImage(display, visual.visual, visual.depth, ZPixmap, 0, nullptr,
                                        width, height, 32, 0);
  if (!image) return false;
  if (direct) {
    image->byte_order = LSBFirst;  // the bitmap's bytes are blue, green, red, alpha
  } else {
    image->data =
        static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * height));
    if (!image->data) {
      XDestroyImage(image);
      return false;
    }
    for (int row = 0; row < height; ++row)
      for (int column = 0; column < width; ++column)
        XPutPixel(image, column, row,
                  VisualPixel(visual, bitmap->Bits()[(y + row) * bitmap->RowSpan() + x + column]));
  }
  GC gc = XCreateGC(display, window, 0, nullptr);
  XPutImage(display, window, gc, image, direct ? x : 0, direct ? y : 0, x, y, width, height);
  XFreeGC(display, gc);
  if (direct) image->data = nullptr;  // the bitmap owns the pixels
  XDestroyImage(image);
  return true;
}
