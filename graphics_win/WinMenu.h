// WinMenu: an IMenu tree as a Win32 pop-up menu, and a chosen command id back to the IMenu
// (top menu or submenu) and index it stands for. Both number the tree the same way: each level
// takes the next block of ids, one per entry (separators too), and a submenu's block follows
// at once when its entry is reached, depth first.
#pragma once

#include <windows.h>

#include "graphics/IMenu.h"

// A new pop-up menu (the caller destroys it), or null. counter is the next free id.
HMENU BuildWinMenu(IMenu* menu, int* counter);
// The menu holding id and the index in it, or null; counter starts where building started.
IMenu* ResolveWinMenuId(IMenu* menu, int id, int* counter, int* index);
