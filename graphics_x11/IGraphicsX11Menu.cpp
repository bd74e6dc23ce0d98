// IGraphicsX11: the modal pop-up menu. Its levels are override-redirect windows on the editor's
// connection; pointer and keyboard are grabbed while it is up, and its own event loop runs (the
// editor's window keeps being redrawn) until an entry is chosen or the menu is dismissed by
// Escape or a press outside it.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "graphics_x11/IGraphicsX11.h"
#include "graphics_x11/X11ErrorTrap.h"
#include "graphics_x11/X11MenuLevel.h"

namespace {

// A host toolkit may still hold a grab from the click that opened the menu for a moment. Without
// the keyboard the menu still works by pointer.
constexpr int kGrabAttempts = 20;
constexpr auto kGrabRetry = std::chrono::milliseconds(5);
// Longest wait for the release of a press that dismissed a menu.
constexpr auto kReleaseWait = std::chrono::milliseconds(500);

struct MenuRun {
  std::vector<std::unique_ptr<X11MenuLevel>> levels;
  IMenu* chosen = nullptr;
  int chosenIndex = -1;
  bool done = false;
  bool armed = false;  // a release chooses only once the pointer has been over a row or pressed
  bool pressedOutside = false;  // dismissed by a press whose release is still to come

  // The deepest level containing the root position, or -1.
  int LevelAt(int x, int y) const {
    for (int i = static_cast<int>(levels.size()) - 1; i >= 0; --i)
      if (levels[i]->Surface()->Contains(x, y)) return i;
    return -1;
  }
  void Choose(int level, int row) {
    chosen = levels[level]->Menu();
    chosenIndex = row;
    done = true;
  }
  // Shows the submenu of level's row as the next level; deeper levels close.
  void OpenSubmenu(Display* display, int level, int row) {
    levels.resize(level + 1);
    X11MenuLevel& parent = *levels[level];
    if (!parent.OpensSubmenu(row)) return;
    X11Surface* frame = parent.Surface();
    auto sub = std::make_unique<X11MenuLevel>(display, parent.Menu()->GetEntry(row)->submenu,
                                              frame->X() + frame->Width() - 2, parent.RowTop(row),
                                              frame->Width() - 4, 0);
    if (!sub->Failed()) levels.push_back(std::move(sub));
  }
  void Pointer(Display* display, int x, int y, bool moved) {
    const int level = LevelAt(x, y);
    if (level < 0) return;
    const int row = levels[level]->RowAt(x, y);
    if (row < 0) return;
    armed = true;
    if (!moved || row == levels[level]->Highlight()) return;
    levels[level]->SetHighlight(levels[level]->Reachable(row) ? row : -1);
    if (levels[level]->OpensSubmenu(row))
      OpenSubmenu(display, level, row);
    else
      levels.resize(level + 1);
  }
  void Key(Display* display, KeySym key) {
    const int level = static_cast<int>(levels.size()) - 1;
    X11MenuLevel& deepest = *levels[level];
    const int row = deepest.Highlight();
    switch (key) {
      case XK_Escape:
        done = true;
        break;
      case XK_Down:
      case XK_Up:
        deepest.SetHighlight(deepest.NextReachable(row, key == XK_Down ? 1 : -1));
        break;
      case XK_Left:
        if (level > 0) levels.pop_back();
        break;
      case XK_Right:
      case XK_Return:
      case XK_KP_Enter:
        if (deepest.OpensSubmenu(row)) {
          OpenSubmenu(display, level, row);
          if (static_cast<int>(levels.size()) > level + 1)
            levels.back()->SetHighlight(levels.back()->NextReachable(-1, 1));
        } else if (key != XK_Right && deepest.Choosable(row)) {
          Choose(level, row);
        }
        break;
      default:
        break;
    }
  }
};

}  // namespace

void IGraphicsX11::SwallowRelease() {
  // The press belonged to the menu: its release must not reach a control as a click of its own.
  // Still grabbed, it comes to us; other events wait.
  const auto end = std::chrono::steady_clock::now() + kReleaseWait;
  while (std::chrono::steady_clock::now() < end) {
    XEvent event;
    if (XCheckTypedEvent(display_, ButtonRelease, &event)) return;
    XFlush(display_);
    if (!WaitForEvents(10)) return;
  }
}

IMenu* IGraphicsX11::ShowMenu(IMenu* menu, const IBounds& area) {
  DropCapture();
  if (!menu || menu->NEntries() == 0 || !display_ || !window_) return nullptr;
  ::Display* display = display_;
  X11ErrorTrap trap(display);
  if (pointerGrabbed_) XUngrabPointer(display, CurrentTime);
  pointerGrabbed_ = false;
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, window_, DefaultRootWindow(display), area.left, area.bottom, &x,
                        &y, &child);
  MenuRun run;
  run.levels.push_back(
      std::make_unique<X11MenuLevel>(display, menu, x, y, 0, area.bottom - area.top));
  if (run.levels[0]->Failed()) return nullptr;
  const Window grabWindow = run.levels[0]->Surface()->Window();
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
  run.done = !pointer;

  while (!run.done && window_) {
    while (!run.done && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      switch (event.type) {
        case MotionNotify:
          run.Pointer(display, event.xmotion.x_root, event.xmotion.y_root, true);
          break;
        case ButtonPress:
          if (run.LevelAt(event.xbutton.x_root, event.xbutton.y_root) < 0)
            run.done = run.pressedOutside = true;  // a press outside every level dismisses
          else
            run.Pointer(display, event.xbutton.x_root, event.xbutton.y_root, true);
          break;
        case ButtonRelease: {
          if (event.xbutton.button != Button1 || !run.armed) break;
          const int level = run.LevelAt(event.xbutton.x_root, event.xbutton.y_root);
          const int row =
              level < 0 ? -1 : run.levels[level]->RowAt(event.xbutton.x_root, event.xbutton.y_root);
          if (level >= 0 && run.levels[level]->Choosable(row)) run.Choose(level, row);
          break;
        }
        case KeyPress:
          run.Key(display, XLookupKeysym(&event.xkey, 0));
          break;
        case Expose:
          if (event.xexpose.window == window_) {
            const XExposeEvent& e = event.xexpose;
            PresentArea({e.x, e.y, e.x + e.width, e.y + e.height});
          }
          for (const auto& level : run.levels)
            if (level->Surface()->Window() == event.xexpose.window) level->Surface()->Present();
          break;
        case DestroyNotify:
          if (event.xdestroywindow.window == window_) window_ = 0;
          break;
        default:
          break;
      }
    }
    if (run.done || !window_) break;
    // The editor keeps its frame rate underneath (meters move while the menu is up).
    const std::chrono::duration<double, std::milli> wait =
        FramePeriod() - (std::chrono::steady_clock::now() - lastRedraw_);
    if (wait.count() <= 0) {
      lastRedraw_ = std::chrono::steady_clock::now();
      RedrawStep();
      continue;
    }
    XFlush(display);
    if (!WaitForEvents(static_cast<int>(std::ceil(wait.count())))) break;  // closing
  }
  run.levels.clear();
  if (run.pressedOutside) SwallowRelease();
  XUngrabKeyboard(display, CurrentTime);
  XUngrabPointer(display, CurrentTime);
  XFlush(display);
  if (run.chosen) run.chosen->SetChosenIndex(run.chosenIndex);
  return run.chosen;
}
