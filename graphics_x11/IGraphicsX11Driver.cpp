// IGraphicsX11: the editor's own driving thread, for hosts that never send effEditIdle, and the
// turns of the drive steps. The thread waits the idle wait for the host's first idle call
// (painting the window once exposed meanwhile); without one it runs the steps itself, woken by the
// connection's events and the frame timer, until closing stops it through a pipe (which also
// wakes a step's menu on a host thread).
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "graphics_x11/IGraphicsX11.h"
#include "graphics_x11/X11ErrorTrap.h"

namespace {

// The editor whose step the calling thread is in, if any (an editor's callback may reach another
// editor's step: the outer one is kept in that editor while the inner runs).
thread_local const IGraphicsX11* steppingEditor = nullptr;

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

bool IGraphicsX11::SteppingHere() const {
  return steppingEditor == this;
}

bool IGraphicsX11::BeginStep(Driver who) {
  {
    std::lock_guard<std::mutex> lock(driverMutex_);
    if (stopDriver_ || stepping_) return false;
    if (who == Driver::Host && driver_ == Driver::Waiting) {
      driver_ = Driver::Host;
      driverWake_.notify_all();
    }
    if (driver_ != who) return false;
    stepping_ = true;
  }
  outerStep_ = steppingEditor;
  steppingEditor = this;
  hostStep_ = who == Driver::Host;
  return true;
}

void IGraphicsX11::EndStep() {
  steppingEditor = outerStep_;
  {
    std::lock_guard<std::mutex> lock(driverMutex_);
    stepping_ = false;
  }
  driverWake_.notify_all();
}

void IGraphicsX11::StartDriverThread() {
  const bool wakeable = pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) == 0;
  {
    std::lock_guard<std::mutex> lock(driverMutex_);
    stopDriver_ = false;
    // Without a way to wake it the thread could not be stopped promptly: host idle calls only.
    driver_ = wakeable ? Driver::Waiting : Driver::Host;
  }
  if (!wakeable) {
    wakePipe_[0] = wakePipe_[1] = -1;
    return;
  }
  driverThread_ = std::thread([this] { DriverThreadMain(); });
}

void IGraphicsX11::StopDriving() {
  {
    std::unique_lock<std::mutex> lock(driverMutex_);
    stopDriver_ = true;
    driver_ = Driver::Closed;
    driverWake_.notify_all();
    if (wakePipe_[1] >= 0) {
      const char byte = 0;
      [[maybe_unused]] const ssize_t written = write(wakePipe_[1], &byte, 1);
    }
    driverWake_.wait(lock, [this] { return !stepping_; });
  }
  if (driverThread_.joinable()) driverThread_.join();
  for (int& fd : wakePipe_) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

void IGraphicsX11::DriverThreadMain() {
  {
    const auto deadline = std::chrono::steady_clock::now() + idleWait_;
    std::unique_lock<std::mutex> lock(driverMutex_);
    // While the host has not started driving (it cannot while we hold the lock), the window is
    // painted as soon as it is exposed.
    for (bool painted = false; !painted && driver_ == Driver::Waiting && !stopDriver_ &&
                               std::chrono::steady_clock::now() < deadline;) {
      painted = PaintFirstExposure();
      if (painted) break;
      lock.unlock();
      WaitForConnectionUntil(deadline);
      lock.lock();
    }
    driverWake_.wait_until(lock, deadline,
                           [this] { return driver_ != Driver::Waiting || stopDriver_; });
    if (driver_ != Driver::Waiting || stopDriver_) return;  // the host drives, or closes
    driver_ = Driver::Thread;
  }
  for (bool first = true; display_; first = false) {
    if (!first) {
      const std::chrono::duration<double, std::milli> wait =
          FramePeriod() - (std::chrono::steady_clock::now() - lastRedraw_);
      const int timeoutMs = std::max(0, static_cast<int>(std::ceil(wait.count())));
      if (!WaitForEvents(timeoutMs)) break;
    }
    if (!BeginStep(Driver::Thread)) break;
    DriveStep(first);
    EndStep();
  }
}

bool IGraphicsX11::PaintFirstExposure() {
  XEvent event;
  if (!XCheckTypedWindowEvent(display_, window_, Expose, &event)) return false;
  X11ErrorTrap trap(display_);
  RedrawStep();
  return true;
}

void IGraphicsX11::WaitForConnectionUntil(std::chrono::steady_clock::time_point deadline) {
  // No Xlib call here: the host may start driving meanwhile.
  const std::chrono::duration<double, std::milli> wait =
      deadline - std::chrono::steady_clock::now();
  pollfd fds[2] = {{ConnectionNumber(display_.load()), POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
  poll(fds, 2, std::max(0, static_cast<int>(std::ceil(wait.count()))));
}

bool IGraphicsX11::WaitForEvents(int timeoutMs) {
  // Events Xlib has read already would not wake poll.
  if (XPending(display_) > 0) return true;
  pollfd fds[2] = {{ConnectionNumber(display_.load()), POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
  poll(fds, 2, timeoutMs);
  std::lock_guard<std::mutex> lock(driverMutex_);
  return !stopDriver_;
}
