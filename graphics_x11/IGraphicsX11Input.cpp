// IGraphicsX11: the window's events turned into the editor's pointer and key input.
#include "graphics_x11/IGraphicsX11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

#include "graphics_x11/X11KeyNumber.h"

namespace {

// The keys an event reports, minus the button it is itself about (a release reports the button
// as still held, as a press reports it not yet held).
IMouseKeys KeysOf(unsigned int state, unsigned int button, bool press) {
  IMouseKeys keys;
  keys.left = (state & Button1Mask) != 0;
  keys.right = (state & Button3Mask) != 0;
  if (button == Button1) keys.left = press;
  if (button == Button3) keys.right = press;
  keys.shift = (state & ShiftMask) != 0;
  keys.control = (state & ControlMask) != 0;
  keys.alt = (state & Mod1Mask) != 0;
  return keys;
}

}  // namespace

void IGraphicsX11::HandleEvent(XEvent* event) {
  if (MenuTakesEvent(event)) return;
  if (entry_ && (HandleEntryEvent(event) || EntryTakesInput(event))) return;
  switch (event->type) {
    case Expose: {
      const XExposeEvent& e = event->xexpose;
      PresentArea({e.x, e.y, e.x + e.width, e.y + e.height});
      break;
    }
    case ButtonPress:
      HandleButton(event, true);
      break;
    case ButtonRelease:
      HandleButton(event, false);
      break;
    case MotionNotify:
      HandleMotion(event);
      break;
    case LeaveNotify:
      // Leaving because a grab starts or ends is not the pointer leaving.
      if (event->xcrossing.mode == NotifyNormal && trackingLeave_) {
        trackingLeave_ = false;
        MouseLeave();
      }
      break;
    case KeyPress:
    case KeyRelease:
      HandleKey(event);
      break;
    case DestroyNotify:
      // The host destroyed its window with ours inside: only the connection is left to close.
      if (event->xdestroywindow.window == window_) window_ = 0;
      break;
    default:
      break;
  }
}

void IGraphicsX11::HandleButton(XEvent* event, bool press) {
  const XButtonEvent& e = event->xbutton;
  // Buttons 4 and 5 are the wheel, one step each; their release means nothing.
  if (e.button == Button4 || e.button == Button5) {
    if (press) MouseWheel(e.x, e.y, KeysOf(e.state, 0, true), e.button == Button4 ? 1 : -1);
    return;
  }
  if (e.button != Button1 && e.button != Button2 && e.button != Button3) return;
  const IMouseKeys keys = KeysOf(e.state, e.button, press);
  if (!press) {
    // The grab lasts while any of the three buttons is held; every release ends its press's
    // gesture, the middle one's too.
    const unsigned int held = e.state & (Button1Mask | Button2Mask | Button3Mask) &
                              ~(Button1Mask << (e.button - Button1));
    if (pointerGrabbed_ && !held) {
      XUngrabPointer(display_, e.time);
      pointerGrabbed_ = false;
    }
    MouseUp(e.x, e.y, keys);
    return;
  }
  const bool isDouble = e.button == Button1 && !lastPressWasDouble_ &&
                        e.time - lastPressTime_ <= kDoubleClickMs &&
                        std::abs(e.x - lastPressX_) <= kDoubleClickDistance &&
                        std::abs(e.y - lastPressY_) <= kDoubleClickDistance;
  if (e.button == Button1) {
    lastPressTime_ = e.time;
    lastPressX_ = e.x;
    lastPressY_ = e.y;
    lastPressWasDouble_ = isDouble;  // a third press starts a new pair
  }
  bool grab = true;
  if (isDouble) {
    grab = MouseDoubleClick(e.x, e.y, keys);
  } else {
    MouseDown(e.x, e.y, keys);
    // No control holds the press (nothing there, or a menu ran and the button is up again).
    grab = CaptureIndex() >= 0;
  }
  if (grab && !pointerGrabbed_) {
    pointerGrabbed_ = XGrabPointer(display_, window_, False,
                                   ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                   GrabModeAsync, GrabModeAsync, None, None, e.time) == GrabSuccess;
  }
}

void IGraphicsX11::HandleMotion(XEvent* event) {
  // Only the latest position of a burst of motion matters.
  while (XPending(display_) > 0) {
    XEvent next;
    XPeekEvent(display_, &next);
    if (next.type != MotionNotify) break;
    XNextEvent(display_, event);
  }
  const XMotionEvent& e = event->xmotion;
  const IMouseKeys keys = KeysOf(e.state, 0, false);
  if (keys.left || keys.right) {
    if (pointerGrabbed_) MouseDrag(e.x, e.y, keys);
    return;
  }
  if (MouseOver(e.x, e.y, keys)) trackingLeave_ = true;
}

void IGraphicsX11::HandleKey(XEvent* event) {
  XKeyEvent& e = event->xkey;
  const bool press = e.type == KeyPress;
  if (press) {
    const int key = X11KeyNumber(XLookupKeysym(&e, 0));
    keysTaken_[e.keycode] = key >= 0 && KeyDown(e.x, e.y, key);
  }
  if (!keysTaken_[e.keycode]) PassKeyToHost(event);
  if (!press) keysTaken_[e.keycode] = false;
}

void IGraphicsX11::PassKeyToHost(XEvent* event) {
  // Sent to the host's window as the server would have propagated it had we not selected keys
  // (host shortcuts keep working over the editor). Its toolkit reads the position there.
  XKeyEvent passed = event->xkey;
  Window child;
  XTranslateCoordinates(display_, window_, hostWindow_, passed.x, passed.y, &passed.x, &passed.y,
                        &child);
  passed.window = hostWindow_;
  passed.subwindow = window_;
  XSendEvent(display_, hostWindow_, True, passed.type == KeyPress ? KeyPressMask : KeyReleaseMask,
             reinterpret_cast<XEvent*>(&passed));
}
