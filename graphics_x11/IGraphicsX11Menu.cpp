// IGraphicsX11: the pop-up menu. Its levels are override-redirect windows on the editor's
// connection; pointer and keyboard are grabbed while it is up. Outside a host's idle call it is
// modal: its own event loop runs (the editor's window keeps being redrawn) until an entry is
// chosen or the menu is dismissed by Escape or a press outside it. A value prompt opened in a
// host's idle call returns at once instead: the host's later idle calls feed the menu its events
// and apply its answer when it closes, so the host's windows never freeze under a menu.
#include <X11/Xlib.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <utility>

#include "graphics_x11/IGraphicsX11.h"
#include "graphics_x11/X11ErrorTrap.h"
#include "graphics_x11/X11MenuRun.h"

namespace {

// A host toolkit may still hold a grab from the click that opened the menu for a moment. Without
// the keyboard the menu still works by pointer.
constexpr int kGrabAttempts = 20;
constexpr auto kGrabRetry = std::chrono::milliseconds(5);
// Longest wait for the release of a press that dismissed a menu.
constexpr auto kReleaseWait = std::chrono::milliseconds(500);

}  // namespace

std::unique_ptr<X11MenuRun> IGraphicsX11::OpenMenu(IMenu* menu, const IBounds& area) {
  if (!menu || menu->NEntries() == 0 || !display_ || !window_) return nullptr;
  ::Display* display = display_;
  if (pointerGrabbed_) XUngrabPointer(display, CurrentTime);
  pointerGrabbed_ = false;
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, window_, DefaultRootWindow(display), area.left, area.bottom, &x,
                        &y, &child);
  auto run = std::make_unique<X11MenuRun>();
  run->levels.push_back(
      std::make_unique<X11MenuLevel>(display, menu, x, y, 0, area.bottom - area.top));
  if (run->levels[0]->Failed()) return nullptr;
  const Window grabWindow = run->levels[0]->Surface()->Window();
  XSync(display, False);
  bool pointer = false, keyboard = false;
  for (int attempt = 0; attempt < kGrabAttempts && !(pointer && keyboard); ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kGrabRetry);
    pointer = pointer ||
              XGrabPointer(display, grabWindow, True,
                           ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                           GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    keyboard = keyboard || XGrabKeyboard(display, grabWindow, True, GrabModeAsync, GrabModeAsync,
                                         CurrentTime) == GrabSuccess;
  }
  // Without the pointer a press outside would go unseen and the menu could not be dismissed:
  // answer as dismissed rather than trap the user.
  run->done = !pointer;
  return run;
}

void IGraphicsX11::MenuEvent(X11MenuRun* run, XEvent* event) {
  ::Display* display = display_;
  switch (event->type) {
    case MotionNotify:
      if (!run->done) run->Pointer(display, event->xmotion.x_root, event->xmotion.y_root, true);
      break;
    case ButtonPress:
      if (run->done) break;
      if (run->LevelAt(event->xbutton.x_root, event->xbutton.y_root) < 0) {
        // A press outside every level dismisses; its release must not reach a control as a
        // click of its own, and still comes to the menu's grab.
        run->done = run->awaitingRelease = true;
        run->releaseDeadline = std::chrono::steady_clock::now() + kReleaseWait;
      } else {
        run->Pointer(display, event->xbutton.x_root, event->xbutton.y_root, true);
      }
      break;
    case ButtonRelease: {
      if (run->done) {
        run->awaitingRelease = false;
        break;
      }
      if (event->xbutton.button != Button1 || !run->armed) break;
      const int level = run->LevelAt(event->xbutton.x_root, event->xbutton.y_root);
      const int row =
          level < 0 ? -1 : run->levels[level]->RowAt(event->xbutton.x_root, event->xbutton.y_root);
      if (level >= 0 && run->levels[level]->Choosable(row)) run->Choose(level, row);
      break;
    }
    case KeyPress:
      if (!run->done) run->Key(display, XLookupKeysym(&event->xkey, 0));
      break;
    case Expose:
      if (event->xexpose.window == window_) {
        const XExposeEvent& e = event->xexpose;
        PresentArea({e.x, e.y, e.x + e.width, e.y + e.height});
      }
      for (const auto& level : run->levels)
        if (level->Surface()->Window() == event->xexpose.window) level->Surface()->Present();
      break;
    case DestroyNotify:
      if (event->xdestroywindow.window == window_) window_ = 0;
      break;
    default:
      break;
  }
}

IMenu* IGraphicsX11::CloseMenu(X11MenuRun* run) {
  run->levels.clear();
  XUngrabKeyboard(display_, CurrentTime);
  XUngrabPointer(display_, CurrentTime);
  XFlush(display_);
  if (run->chosen) run->chosen->SetChosenIndex(run->chosenIndex);
  return run->chosen;
}

bool IGraphicsX11::MenuTakesEvent(XEvent* event) {
  if (!hostMenu_) return false;
  MenuEvent(hostMenu_.get(), event);
  EndHostMenuWhenOver();
  return true;
}

void IGraphicsX11::EndHostMenuWhenOver() {
  if (!hostMenu_ || (!hostMenu_->Over() && window_)) return;
  const std::unique_ptr<X11MenuRun> run = std::move(hostMenu_);
  run->answer(CloseMenu(run.get()));
}

IMenu* IGraphicsX11::ShowMenu(IMenu* menu, const IBounds& area) {
  DropCapture();
  if (!display_ || !window_) return nullptr;
  X11ErrorTrap trap(display_);
  std::unique_ptr<X11MenuRun> run = OpenMenu(menu, area);
  if (!run) return nullptr;
  if (SteppingHere() && hostStep_ && !hostMenu_) {
    run->answer = TakeMenuAnswer();
    if (run->answer) {
      hostMenu_ = std::move(run);
      return nullptr;
    }
  }
  while (!run->Over() && window_) {
    while (!run->Over() && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      MenuEvent(run.get(), &event);
    }
    if (run->Over() || !window_) break;
    // The editor keeps its frame rate underneath (meters move while the menu is up).
    const std::chrono::duration<double, std::milli> wait =
        FramePeriod() - (std::chrono::steady_clock::now() - lastRedraw_);
    if (wait.count() <= 0) {
      lastRedraw_ = std::chrono::steady_clock::now();
      RedrawStep();
      continue;
    }
    XFlush(display_);
    if (!WaitForEvents(static_cast<int>(std::ceil(wait.count())))) break;  // closing
  }
  return CloseMenu(run.get());
}
