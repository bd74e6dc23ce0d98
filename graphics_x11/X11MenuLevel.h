// X11MenuLevel: one level of a pop-up menu on screen: an override-redirect window on the root
// window listing an IMenu's entries (check marks, separators, greyed entries, submenu arrows),
// drawn with the editor's raster and font code, with one highlighted row.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "graphics/IMenu.h"
#include "graphics_x11/X11Surface.h"

struct _XDisplay;

class X11MenuLevel {
 public:
  // Lays the menu out and maps it with its top left at (x, y) on the root window, moved inside
  // the screen (above y - flipHeight, or left of x - flipWidth, when it does not fit).
  X11MenuLevel(_XDisplay* display, IMenu* menu, int x, int y, int flipWidth, int flipHeight);

  bool Failed() const { return !surface_ || surface_->Failed(); }
  IMenu* Menu() const { return menu_; }
  X11Surface* Surface() const { return surface_.get(); }
  // The row at root position (x, y), or -1.
  int RowAt(int x, int y) const;
  // A row that can be chosen: no separator, not greyed or inactive, no submenu.
  bool Choosable(int row) const;
  // A row the highlight can rest on: choosable, or an enabled submenu with entries.
  bool Reachable(int row) const;
  bool OpensSubmenu(int row) const;
  // The next reachable row after from (step 1) or before it (step -1), wrapping; -1 if none.
  int NextReachable(int from, int step) const;
  int Highlight() const { return highlight_; }
  void SetHighlight(int row);
  // Root y of a row's top, where its submenu opens.
  int RowTop(int row) const;

 private:
  struct Row {
    std::string label;
    int top = 0, bottom = 0;
    int32_t flags = 0;
    IMenu* submenu = nullptr;
  };
  void Draw();

  _XDisplay* display_;
  IMenu* menu_;
  std::vector<Row> rows_;
  std::unique_ptr<X11Surface> surface_;
  int highlight_ = -1;
};
