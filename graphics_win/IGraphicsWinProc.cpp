// IGraphicsWin: the editor window's procedure (input, painting) and its redraw timer.
#include <windows.h>
// After windows.h:
#include <windowsx.h>

#include "graphics_win/IGraphicsWin.h"
#include "graphics_win/WinKeyNumber.h"
#include "raster/SysBitmap.h"

namespace {

IMouseKeys KeysOf(WPARAM wParam) {
  IMouseKeys keys;
  keys.left = (wParam & MK_LBUTTON) != 0;
  keys.right = (wParam & MK_RBUTTON) != 0;
  keys.shift = (wParam & MK_SHIFT) != 0;
  keys.control = (wParam & MK_CONTROL) != 0;
  keys.alt = GetKeyState(VK_MENU) < 0;
  return keys;
}

}  // namespace

LRESULT CALLBACK IGraphicsWin::EditorWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* editor = static_cast<IGraphicsWin*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
    // 41 ms at 24 frames per second; a rate that is not positive falls back to that.
    const double rate =
        editor && editor->FrameRate() > 0 ? editor->FrameRate() : double{kDefaultFrameRate};
    SetTimer(window, kTimerId, static_cast<UINT>(1000.0 / rate), nullptr);
    SetFocus(window);
    return 0;
  }
  // The user data is cleared before the editor lets its window go, so a message for a closed
  // window (or a destroyed editor) never reaches the editor object.
  auto* editor = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!editor || editor->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
  return editor->HandleMessage(window, message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    // The host destroyed its window, and ours with it.
    WindowDestroyed();
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (entryWindow_ && entryState_ == EntryEditing) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
      entryState_ = EntryCancel;
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_PAINT: {
      RECT update;
      if (GetUpdateRect(window, &update, FALSE)) {
        RedrawArea({update.left, update.top, update.right, update.bottom});
        // Presenting validates the area; an editor without controls presents nothing, and an
        // area left invalid would bring the paint message back at once, for ever.
        ValidateRect(window, nullptr);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      // A copy of the window for someone else's device context (PrintWindow, captures of hidden
      // windows): the canvas as the window shows it.
      if (Canvas() && Canvas()->SystemDC())
        BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, Width(), Height(),
               static_cast<HDC>(Canvas()->SystemDC()), 0, 0, SRCCOPY);
      return 0;
    case WM_CLOSE:
      CloseEditorWindow();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return 0;
    case WM_KEYDOWN: {
      const int key = WinKeyNumber(wParam);
      if (key >= 0) {
        POINT point{0, 0};
        GetCursorPos(&point);
        ScreenToClient(window, &point);
        if (KeyDown(point.x, point.y, key)) return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_TIMER:
      if (wParam == kTimerId) TimerStep();
      return 0;
    case WM_CTLCOLOREDIT:
      return EntryColours(reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE:
      if (wParam & (MK_LBUTTON | MK_RBUTTON)) {
        if (GetCapture() == window && !entryWindow_) MouseDrag(x, y, KeysOf(wParam));
      } else if (MouseOver(x, y, KeysOf(wParam))) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, HOVER_DEFAULT};
        TrackMouseEvent(&track);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (entryWindow_) {
        // A press while the entry is open but not being edited drops it unapplied.
        DestroyTextEntry();
        RECT all{0, 0, Width(), Height()};
        InvalidateRect(window, &all, FALSE);
        UpdateWindow(window);
      }
      SetFocus(window);
      SetCapture(window);
      MouseDown(x, y, KeysOf(wParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      // Every press's release frees the pointer and ends its gesture, the middle one's too: a
      // capture kept past it would eat the user's next click in the host.
      ReleaseCapture();
      MouseUp(x, y, KeysOf(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (MouseDoubleClick(x, y, KeysOf(wParam))) SetCapture(window);
      return 0;
    case WM_MOUSEWHEEL: {
      if (entryWindow_) {
        entryState_ = EntryCancel;
        return 0;
      }
      // The wheel's position is on the screen.
      RECT rect;
      GetWindowRect(window, &rect);
      const int steps = static_cast<int16_t>(HIWORD(wParam)) / WHEEL_DELTA;
      MouseWheel(x - rect.left, y - rect.top, KeysOf(GET_KEYSTATE_WPARAM(wParam)), steps);
      return 0;
    }
    case WM_MOUSELEAVE:
      MouseLeave();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void IGraphicsWin::TimerStep() {
  if (entryWindow_ && entryState_ != EntryIdle) {
    if (entryState_ == EntryRedrawn)
      entryState_ = EntryIdle;
    else if (entryState_ == EntryCommit || entryState_ == EntryCancel)
      CloseTextEntry();
    return;
  }
  IBounds area{};
  if (!CollectDirtyArea(&area)) return;
  RECT rect{area.left, area.top, area.right, area.bottom};
  InvalidateRect(window_, &rect, FALSE);
  if (entryWindow_ && entryControl_) {
    const IBounds& entryArea = entryControl_->Area();
    RECT keep{entryArea.left, entryArea.top, entryArea.right, entryArea.bottom};
    ValidateRect(window_, &keep);
    UpdateWindow(window_);
    entryState_ = EntryRedrawn;
  } else {
    UpdateWindow(window_);
  }
}
