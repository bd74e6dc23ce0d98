// X11CanvasPresenter: the MIT-SHM way with its fallback.
#include "graphics_x11/X11CanvasPresenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

#include "graphics_x11/X11ErrorTrap.h"
#include "graphics_x11/X11Surface.h"
#include "graphics_x11/X11Visual.h"

X11CanvasPresenter::X11CanvasPresenter(Display* display, unsigned long window, int width,
                                       int height, bool allowSharedMemory)
    : display_(display), window_(window) {
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  if (allowSharedMemory && XShmQueryExtension(display_) && !AttachSharedMemory(width, height))
    DetachSharedMemory();
}

X11CanvasPresenter::~X11CanvasPresenter() {
  DetachSharedMemory();
  if (gc_) XFreeGC(display_, gc_);
}

bool X11CanvasPresenter::AttachSharedMemory(int width, int height) {
  XVisualInfo visual;
  // Only a visual whose pixels are the canvas's own can take the copied rows as they are.
  if (!FindTrueColorVisual(display_, &visual) || !HoldsCanvasPixels(visual)) return false;
  auto* info = new XShmSegmentInfo{};
  image_ = XShmCreateImage(display_, visual.visual, 24, ZPixmap, nullptr, info, width, height);
  if (!image_) {
    delete info;
    return false;
  }
  image_->obdata = reinterpret_cast<char*>(info);
  // The canvas's bytes are blue, green, red, alpha: the server must read them that way.
  if (image_->bits_per_pixel != 32 || image_->byte_order != LSBFirst) return false;
  segment_ =
      shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height, IPC_CREAT | 0600);
  if (segment_ < 0) return false;
  void* address = shmat(segment_, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) return false;
  address_ = static_cast<char*>(address);
  info->shmid = segment_;
  info->shmaddr = image_->data = address_;
  info->readOnly = True;
  // A server on another machine (or in another IPC namespace) cannot attach it: BadAccess.
  X11ErrorTrap trap(display_);
  if (!XShmAttach(display_, info) || !trap.Ok()) return false;
  segmentId_ = info->shmseg;
  // Marked for removal now: it goes once both sides have detached, even if we never do.
  shmctl(segment_, IPC_RMID, nullptr);
  return true;
}

void X11CanvasPresenter::DetachSharedMemory() {
  if (!image_) return;
  auto* info = reinterpret_cast<XShmSegmentInfo*>(image_->obdata);
  if (segmentId_) {
    X11ErrorTrap trap(display_);  // the window (not the connection) may be gone already
    XShmDetach(display_, info);
  }
  if (address_) shmdt(address_);
  if (segment_ >= 0) shmctl(segment_, IPC_RMID, nullptr);
  image_->data = nullptr;
  image_->obdata = nullptr;
  XDestroyImage(image_);
  delete info;
  image_ = nullptr;
  address_ = nullptr;
  segment_ = -1;
  segmentId_ = 0;
}

bool X11CanvasPresenter::Put(RasterBitmap* canvas, int x, int y, int width, int height) {
  if (!image_) return PutBitmapArea(display_, window_, canvas, x, y, width, height);
  // The server reads the segment when it handles our request: unless a reply since has shown
  // it handled, wait for it before writing again.
  if (lastPut_ && LastKnownRequestProcessed(display_) < lastPut_) XSync(display_, False);
  const int rowBytes = width * 4;
  for (int row = y; row < y + height; ++row)
    std::memcpy(image_->data + static_cast<size_t>(row) * image_->bytes_per_line + x * 4,
                canvas->Bits() + static_cast<size_t>(row) * canvas->RowSpan() + x, rowBytes);
  lastPut_ = NextRequest(display_);
  XShmPutImage(display_, window_, gc_, image_, x, y, x, y, width, height, False);
  return true;
}
