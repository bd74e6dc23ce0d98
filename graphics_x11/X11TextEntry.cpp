// X11TextEntry: the entry window's keys, caret placement and drawing.
#include "graphics_x11/X11TextEntry.h"
// Before Xlib, whose macros (None, Bool) would rename names in these:
#include "graphics/EntryText.h"
#include "plugin_core/PlugParam.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <mutex>

#include "graphics/FontCache.h"
#include "graphics_x11/X11DrawingLock.h"
#include "raster/BlendMode.h"
#include "raster/FillRectangle.h"
#include "raster/RasterFont.h"

namespace {

constexpr int kMargin = 1;  // between the entry's edge and its text
constexpr Pixel kSelectionBack = 0xFF0078D7;
constexpr Pixel kSelectionText = 0xFFFFFFFF;

Pixel Opaque(const IArgb& colour) {
  return 0xFF000000u | static_cast<Pixel>(colour.red & 0xFF) << 16 |
         static_cast<Pixel>(colour.green & 0xFF) << 8 | static_cast<Pixel>(colour.blue & 0xFF);
}

}  // namespace

X11TextEntry::X11TextEntry(Display* display, unsigned long parent, const IBounds& area,
                           const ITextStyle& style, const char* text, int limit)
    : surface_(display, parent, area.left, area.top, area.right - area.left + 1,
               area.bottom - area.top + 1, false,
               ExposureMask | KeyPressMask | ButtonPressMask | FocusChangeMask),
      style_(style),
      buffer_(text, limit) {
  style_.cachedFont = nullptr;  // looked up again for this copy
}

X11TextEntry::Outcome X11TextEntry::HandleKey(XEvent* event, const PlugParam* param) {
  char typed[8] = {};
  KeySym key = NoSymbol;
  const int count = XLookupString(&event->xkey, typed, sizeof typed, &key, nullptr);
  const bool shift = (event->xkey.state & ShiftMask) != 0;
  switch (key) {
    case XK_Return:
    case XK_KP_Enter:
      return Outcome::Commit;
    case XK_Escape:
      return Outcome::Cancel;
    case XK_BackSpace:
      buffer_.Backspace();
      break;
    case XK_Delete:
    case XK_KP_Delete:
      buffer_.Delete();
      break;
    case XK_Left:
    case XK_KP_Left:
      buffer_.Step(-1, shift);
      break;
    case XK_Right:
    case XK_KP_Right:
      buffer_.Step(1, shift);
      break;
    case XK_Home:
    case XK_KP_Home:
      buffer_.MoveTo(0, shift);
      break;
    case XK_End:
    case XK_KP_End:
      buffer_.MoveTo(static_cast<int>(buffer_.Text().size()), shift);
      break;
    default: {
      // Printable ASCII only: the text is drawn as UTF-8 and read back as bytes.
      const auto c = static_cast<unsigned char>(typed[0]);
      if (count != 1 || c < 0x20 || c > 0x7E) return Outcome::Nothing;
      if (param && !EntryCharacterPasses(param->Kind(), c)) return Outcome::Nothing;
      buffer_.Insert(static_cast<char>(c));
      break;
    }
  }
  Present();
  return Outcome::Nothing;
}

void X11TextEntry::PlaceCaret(int x) {
  int best = 0, bestDistance = 1 << 30;
  {
    std::lock_guard<std::mutex> lock(X11DrawingMutex());
    const int left = TextLeft();
    for (int i = 0; i <= static_cast<int>(buffer_.Text().size()); ++i) {
      const int distance = std::abs(left + TextWidth(i) - x);
      if (distance < bestDistance) best = i, bestDistance = distance;
    }
  }
  buffer_.MoveTo(best, false);
  Present();
}

void X11TextEntry::Present() {
  if (Failed()) return;
  {
    std::lock_guard<std::mutex> lock(X11DrawingMutex());
    Draw();
  }
  surface_.Present();
}

int X11TextEntry::TextWidth(int count) {
  RasterFont* font = FindOrCreateFont(&style_);
  if (!font || count <= 0) return 0;
  RasterRect rect{0, 0, 0, 0};
  font->DrawUtf8Text(nullptr, buffer_.Text().c_str(), count, &rect, TEXT_CALCRECT);
  return rect.right;
}

int X11TextEntry::TextLeft() {
  const int free = surface_.Width() - 2 * kMargin - TextWidth(static_cast<int>(Text().size()));
  if (style_.alignment == ITextStyle::Near) return kMargin;
  if (style_.alignment == ITextStyle::Far) return kMargin + free;
  return kMargin + free / 2;
}

void X11TextEntry::Draw() {
  RasterBitmap* bitmap = surface_.Bitmap();
  FillRectangle(bitmap, 0, 0, surface_.Width(), surface_.Height(), Opaque(style_.entryBackground),
                1.0f, BLEND_COPY);
  RasterFont* font = FindOrCreateFont(&style_);
  if (!font) return;
  const std::string& text = buffer_.Text();
  const int left = TextLeft(), top = kMargin, lineHeight = font->LineHeight();
  const Pixel ink = Opaque(style_.entryText);
  font->SetForeColor(ink);
  RasterRect rect{left, top, surface_.Width(), surface_.Height()};
  font->DrawUtf8Text(bitmap, text.c_str(), -1, &rect, TEXT_NOCLIP);
  if (buffer_.HasSelection()) {
    const int start = buffer_.SelectionStart(), end = buffer_.SelectionEnd();
    const int from = left + TextWidth(start);
    FillRectangle(bitmap, from, top, left + TextWidth(end) - from, lineHeight, kSelectionBack, 1.0f,
                  BLEND_COPY);
    font->SetForeColor(kSelectionText);
    RasterRect selected{from, top, surface_.Width(), surface_.Height()};
    font->DrawUtf8Text(bitmap, text.c_str() + start, end - start, &selected, TEXT_NOCLIP);
  } else {
    FillRectangle(bitmap, left + TextWidth(buffer_.Caret()), top, 1, lineHeight, ink, 1.0f,
                  BLEND_COPY);
  }
}
