// IGraphicsX11: the editor's own driving thread, for hosts that never send effEditIdle. It waits
// kIdleWaitMs for the host's first idle call; without one it runs the idle steps itself, woken by
// the connection's events and the frame timer, until closing stops it through a pipe.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "graphics_x11/IGraphicsX11.h"

namespace {

// The editor whose window the calling thread drives, if any.
thread_local const IGraphicsX11* drivenEditor = nullptr;

}  // namespace

std::chrono::duration<double, std::milli> IGraphicsX11::FramePeriod() const {
  // 41.7 ms at 24 frames per second; a rate that is not positive falls back to that.
  const int rate = FrameRate() > 0 ? FrameRate() : kDefaultFrameRate;
  return std::chrono::duration<double, std::milli>(1000.0 / rate);
}

bool IGraphicsX11::ThreadDriven() {
  std::lock_guard<std::mutex> lock(driverMutex_);
  return driver_ == Driver::Thread;
}

bool IGraphicsX11::OnDriverThread() const {
  return drivenEditor == this;
}

void IGraphicsX11::StartDriverThread() {
  if (pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    // Without a way to wake it the thread could not be stopped promptly: host idle calls only.
    wakePipe_[0] = wakePipe_[1] = -1;
    std::lock_guard<std::mutex> lock(driverMutex_);
    driver_ = Driver::Host;
    return;
  }
  {
    std::lock_guard<std::mutex> lock(driverMutex_);
    driver_ = Driver::Waiting;
    stopDriver_ = false;
  }
  driverThread_ = std::thread([this] { DriverThreadMain(); });
}

void IGraphicsX11::StopDriverThread() {
  {
    std::lock_guard<std::mutex> lock(driverMutex_);
    stopDriver_ = true;
    driver_ = Driver::Closed;
  }
  driverWake_.notify_all();
  if (wakePipe_[1] >= 0) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(wakePipe_[1], &byte, 1);
  }
  if (driverThread_.joinable()) driverThread_.join();
  for (int& fd : wakePipe_) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

void IGraphicsX11::DriverThreadMain() {
  {
    std::unique_lock<std::mutex> lock(driverMutex_);
    driverWake_.wait_for(lock, std::chrono::milliseconds(kIdleWaitMs),
                         [this] { return driver_ != Driver::Waiting || stopDriver_; });
    if (driver_ != Driver::Waiting || stopDriver_) return;  // the host drives, or closes
    driver_ = Driver::Thread;
  }
  drivenEditor = this;
  DriveStep(true);
  while (display_) {
    const std::chrono::duration<double, std::milli> wait =
        FramePeriod() - (std::chrono::steady_clock::now() - lastRedraw_);
    const int timeoutMs = std::max(0, static_cast<int>(std::ceil(wait.count())));
    if (!WaitForEvents(timeoutMs)) break;
    DriveStep(false);
  }
  drivenEditor = nullptr;
}

bool IGraphicsX11::WaitForEvents(int timeoutMs) {
  // Events Xlib has read already would not wake poll.
  if (XPending(display_) > 0) return true;
  pollfd fds[2] = {{ConnectionNumber(display_.load()), POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
  poll(fds, 2, timeoutMs);
  std::lock_guard<std::mutex> lock(driverMutex_);
  return !stopDriver_;
}
