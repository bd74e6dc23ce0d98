// WinMenu: building the pop-up menu and resolving its ids.
#include "graphics_win/WinMenu.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The entry's label, numbered from 1 by the menu's prefix.
std::vector<char> MenuLabel(int prefix, int number, const char* text) {
  static const char* const kFormats[] = {"%1d: %s", "%02d: %s", "%03d: %s"};
  std::vector<char> label(std::strlen(text) + 50);
  if (prefix >= 1 && prefix <= 3)
    std::snprintf(label.data(), label.size(), kFormats[prefix - 1], number, text);
  else
    std::snprintf(label.data(), label.size(), "%s", text);
  return label;
}

}  // namespace

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
    const std::vector<char> label = MenuLabel(menu->NumberingPrefix(), i, entry->text.Get());
    if (entry->submenu) {
      if (HMENU sub = BuildWinMenu(entry->submenu, counter))
        AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), label.data());
      continue;
    }
    UINT flags = MF_STRING;
    if (entry->flags & IMenuEntry::MenuDisabled) flags |= MF_GRAYED;
    if (entry->flags & IMenuEntry::MenuInactive) flags |= MF_DISABLED;
    if (entry->flags & IMenuEntry::MenuChecked) flags |= MF_CHECKED;
    AppendMenuA(popup, flags, static_cast<UINT_PTR>(base + i - 1), label.data());
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
