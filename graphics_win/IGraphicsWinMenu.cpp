// IGraphicsWin: the modal pop-up menu and the entry the user chose.
#include "graphics_win/IGraphicsWin.h"
#include "graphics_win/WinMenu.h"

IMenu* IGraphicsWin::ShowMenu(IMenu* menu, const IBounds& area) {
  DropCapture();
  if (!menu || !window_) return nullptr;
  int counter = 0;
  HMENU popup = BuildWinMenu(menu, &counter);
  if (!popup) return nullptr;
  POINT point{area.left, area.bottom};
  ClientToScreen(window_, &point);
  IMenu* chosen = nullptr;
  if (TrackPopupMenu(popup, TPM_LEFTBUTTON, point.x, point.y, 0, window_, nullptr)) {
    // The choice arrives as the command the menu posted to the window.
    MSG command;
    if (PeekMessageA(&command, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
        HIWORD(command.wParam) == 0) {
      int resolveCounter = 0, index = -1;
      chosen = ResolveWinMenuId(menu, LOWORD(command.wParam), &resolveCounter, &index);
      if (chosen) chosen->SetChosenIndex(index);
    }
  }
  DestroyMenu(popup);
  return chosen;
}
