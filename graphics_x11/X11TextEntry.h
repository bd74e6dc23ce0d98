// X11TextEntry: the in-place text entry's window: a child of the editor's window over a
// control's area, drawn with our raster and font code in the style's entry colours, with the
// whole text selected at first, a caret, and the typed keys turned into edits.
#pragma once

#include <memory>
#include <string>

#include "graphics/IBounds.h"
#include "graphics/ITextStyle.h"
#include "graphics_x11/EntryEditBuffer.h"
#include "graphics_x11/X11Surface.h"

struct _XDisplay;
union _XEvent;
class PlugParam;

class X11TextEntry {
 public:
  enum class Outcome { Nothing, Commit, Cancel };

  // Over area (right and bottom included, as the Windows entry is one pixel larger).
  X11TextEntry(_XDisplay* display, unsigned long parent, const IBounds& area,
               const ITextStyle& style, const char* text, int limit);

  bool Failed() const { return surface_.Failed(); }
  unsigned long Window() const { return surface_.Window(); }
  const std::string& Text() const { return buffer_.Text(); }
  const EntryEditBuffer& Buffer() const { return buffer_; }

  // A key press: Return commits, Escape cancels, editing keys edit; with a parameter, characters
  // go through the entry filter of its kind first.
  Outcome HandleKey(_XEvent* event, const PlugParam* param);
  // A press inside the entry at x: the caret goes to the nearest character boundary.
  void PlaceCaret(int x);
  // Draws the entry and puts it on screen.
  void Present();

 private:
  void Draw();
  int TextWidth(int count);
  int TextLeft();

  X11Surface surface_;
  ITextStyle style_;
  EntryEditBuffer buffer_;
};
