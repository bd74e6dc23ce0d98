// X11MenuRun: hit-testing the open levels, pointer highlight and submenus, and the menu's keys.
#include "graphics_x11/X11MenuRun.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

int X11MenuRun::LevelAt(int x, int y) const {
  for (int i = static_cast<int>(levels.size()) - 1; i >= 0; --i)
    if (levels[i]->Surface()->Contains(x, y)) return i;
  return -1;
}

void X11MenuRun::Choose(int level, int row) {
  chosen = levels[level]->Menu();
  chosenIndex = row;
  done = true;
}

void X11MenuRun::OpenSubmenu(Display* display, int level, int row) {
  levels.resize(level + 1);
  X11MenuLevel& parent = *levels[level];
  if (!parent.OpensSubmenu(row)) return;
  X11Surface* frame = parent.Surface();
  auto sub = std::make_unique<X11MenuLevel>(display, parent.Menu()->GetEntry(row)->submenu,
                                            frame->X() + frame->Width() - 2, parent.RowTop(row),
                                            frame->Width() - 4, 0);
  if (!sub->Failed()) levels.push_back(std::move(sub));
}

void X11MenuRun::Pointer(Display* display, int x, int y, bool moved) {
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

void X11MenuRun::Key(Display* display, KeySym key) {
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
