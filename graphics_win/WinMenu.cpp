// WinMenu: building the pop-up menu and resolving its ids.
#include "graphics_win/WinMenu.h"

#include <string>

#include "graphics/MenuLabel.h"

HMENU BuildWinMenu(IMenu* menu, int* counter) {
  if (!menu) return nullptr;
  HMENU popup = CreatePopupMenu();
  if (!popup) return nullptr;
  const int count = menu->NEntries();
  const int base = *counter;
  *counter += count;
  for (int i = 1; i <= count; ++i) {
    const IMenuEntry* entry = menu->GetEntry(i - 1);
    if (entry->flags & IMenuEntry::MenuSeparator) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::string label = MenuLabel(menu->NumberingPrefix(), i, entry->text.Get());
    if (entry->submenu) {
      if (HMENU sub = BuildWinMenu(entry->submenu, counter))
        AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), label.c_str());
      continue;
    }
    UINT flags = MF_STRING;
    if (entry->flags & IMenuEntry::MenuDisabled) flags |= MF_GRAYED;
    if (entry->flags & IMenuEntry::MenuInactive) flags |= MF_DISABLED;
    if (entry->flags & IMenuEntry::MenuChecked) flags |= MF_CHECKED;
    AppendMenuA(popup, flags, static_cast<UINT_PTR>(base + i - 1), label.c_str());
  }
  return popup;
}

IMenu* ResolveWinMenuId(IMenu* menu, int id, int* counter, int* index) {
  if (!menu) return nullptr;
  const int count = menu->NEntries();
  const int base = *counter;
  *counter += count;
  if (id >= base && id < base + count) {
    *index = id - base;
    return menu;
  }
  for (int i = 0; i < count; ++i)
    if (IMenu* found = ResolveWinMenuId(menu->GetEntry(i)->submenu, id, counter, index))
      return found;
  return nullptr;
}
