// X11Surface: a small window of our own (a menu level, a text entry) with a bitmap it is drawn
// from. Made on the editor's connection, with the same TrueColor visual as the editor.
#pragma once

#include <memory>

#include "raster/SysBitmap.h"

struct _XDisplay;

class X11Surface {
 public:
  // A window of width x height at (x, y) inside parent, not yet mapped. overrideRedirect keeps the
  // window manager away (pop-up menus on the root window). Failed() when it could not be made.
  X11Surface(_XDisplay* display, unsigned long parent, int x, int y, int width, int height,
             bool overrideRedirect, long eventMask);
  ~X11Surface();
  X11Surface(const X11Surface&) = delete;
  X11Surface& operator=(const X11Surface&) = delete;

  bool Failed() const { return !window_; }
  unsigned long Window() const { return window_; }
  SysBitmap* Bitmap() { return &bitmap_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const {
    return x >= x_ && y >= y_ && x < x_ + width_ && y < y_ + height_;
  }
  // Copies the whole bitmap to the window.
  void Present();

 private:
  _XDisplay* display_;
  unsigned long window_ = 0;
  int x_, y_, width_, height_;
  SysBitmap bitmap_;
};

// Puts the area (x, y, width, height) of a 32-bit bitmap at the same place of window with
// XPutImage, converted when the screen's visual is not 24-bit. False when the image cannot be
// made.
bool PutBitmapArea(_XDisplay* display, unsigned long window, RasterBitmap* bitmap, int x, int y,
                   int width, int height);
