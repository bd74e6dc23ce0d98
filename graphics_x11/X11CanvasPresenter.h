// X11CanvasPresenter: copies areas of the editor's canvas to its window. Through MIT-SHM
// (XShmPutImage from a shared segment the canvas area is copied into) when the server offers it
// and can attach our segment; otherwise, silently, through XPutImage over the connection (remote
// displays, servers without the extension, segments that cannot be made or attached).
#pragma once

#include "raster/RasterBitmap.h"

struct _XDisplay;
struct _XGC;
struct _XImage;

class X11CanvasPresenter {
 public:
  // For a window of width x height; allowSharedMemory false always takes the XPutImage way.
  X11CanvasPresenter(_XDisplay* display, unsigned long window, int width, int height,
                     bool allowSharedMemory);
  ~X11CanvasPresenter();
  X11CanvasPresenter(const X11CanvasPresenter&) = delete;
  X11CanvasPresenter& operator=(const X11CanvasPresenter&) = delete;

  bool UsesSharedMemory() const { return image_ != nullptr; }
  // Puts the canvas's area (inside the window) at the same place of the window.
  bool Put(RasterBitmap* canvas, int x, int y, int width, int height);

 private:
  bool AttachSharedMemory(int width, int height);
  void DetachSharedMemory();

  _XDisplay* display_;
  unsigned long window_;
  _XGC* gc_ = nullptr;
  _XImage* image_ = nullptr;  // the shared image, null on the XPutImage way
  int segment_ = -1;
  char* address_ = nullptr;
  unsigned long segmentId_ = 0;  // the server's id of the attached segment
  unsigned long lastPut_ = 0;    // request number of the last XShmPutImage
};
