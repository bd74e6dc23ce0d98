// IGraphicsWin: the modal pop-up menu and the entry the user chose.
#include "graphics_win/IGraphicsWin.h"
#include "graphics_win/WinMenu.h"

IMenu* IGraphicsWin::ShowMenu(IMenu* menu, const IBounds& area) {
  DropCapture();
  // The menu's loop runs the host's timers and messages: the host may close the editor meanwhile,
  // so the window is held here and checked again afterwards.
  HWND window = window_;
  if (!menu || !window) return nullptr;
  int counter = 0;
  HMENU popup = BuildWinMenu(menu, &counter);
  if (!popup) return nullptr;
  POINT point{area.left, area.bottom};
  ClientToScreen(window, &point);
  IMenu* chosen = nullptr;
  if (TrackPopupMenu(popup, TPM_LEFTBUTTON, point.x, point.y, 0, window, nullptr) &&
      window_ == window && IsWindow(window)) {
    // The choice arrives as the command the menu posted to our window (never a command of the
    // host's, which a null window would fetch); ids outside our menu resolve to nothing.
    MSG command;
    if (PeekMessageA(&command, window, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
        HIWORD(command.wParam) == 0) {
      int resolveCounter = 0, index = -1;
      chosen = ResolveWinMenuId(menu, LOWORD(command.wParam), &resolveCounter, &index);
      if (chosen) chosen->SetChosenIndex(index);
    }
  }
  DestroyMenu(popup);
  return chosen;
}
