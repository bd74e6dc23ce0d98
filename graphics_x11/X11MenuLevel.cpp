// X11MenuLevel: laying out, drawing and hit-testing one level of a pop-up menu.
#include "graphics_x11/X11MenuLevel.h"

#include <X11/Xlib.h>

#include <algorithm>

#include "graphics/FontCache.h"
#include "graphics/MenuLabel.h"
#include "graphics_x11/X11DrawingLock.h"
#include "raster/BlendMode.h"
#include "raster/FillRectangle.h"
#include "raster/RasterFont.h"

namespace {

constexpr int kBorder = 1;
constexpr int kRowPadding = 3;  // above and below a row's text
constexpr int kSeparatorHeight = 7;
constexpr int kCheckColumn = 20;  // left of the text, where check marks go
constexpr int kArrowColumn = 22;  // right of the text, where submenu arrows go
constexpr int kMinimumWidth = 80;
constexpr int kFontSize = 13;

constexpr Pixel kBackground = 0xFFF2F2F2;
constexpr Pixel kFrame = 0xFF7A7A7A;
constexpr Pixel kSeparatorLine = 0xFFC4C4C4;
constexpr Pixel kHighlightBack = 0xFF3465A4;
constexpr Pixel kText = 0xFF000000;
constexpr Pixel kHighlightText = 0xFFFFFFFF;
constexpr Pixel kGreyedText = 0xFF8F8F8F;

RasterFont* MenuFont() {
  static ITextStyle style = [] {
    ITextStyle s;
    s.size = kFontSize;
    s.alignment = ITextStyle::Near;
    return s;
  }();
  return FindOrCreateFont(&style);
}

void Fill(RasterBitmap* bitmap, int x, int y, int width, int height, Pixel colour) {
  FillRectangle(bitmap, x, y, width, height, colour, 1.0f, BLEND_COPY);
}

// A tick whose lowest point is (x, y): down-right for 3 pixels, then up-right for 6, 2 px thick.
void DrawCheck(RasterBitmap* bitmap, int x, int y, Pixel colour) {
  for (int i = 0; i < 3; ++i)
    Fill(bitmap, x - 3 + i, y - 2 + i, 2, 2, colour);
  for (int i = 0; i < 6; ++i)
    Fill(bitmap, x + i, y - i, 2, 2, colour);
}

// A right-pointing triangle whose tip is at (x, y).
void DrawArrow(RasterBitmap* bitmap, int x, int y, Pixel colour) {
  for (int i = 0; i < 4; ++i)
    Fill(bitmap, x - 3 + i, y - 3 + i, 1, 7 - 2 * i, colour);
}

}  // namespace

X11MenuLevel::X11MenuLevel(Display* display, IMenu* menu, int x, int y, int flipWidth,
                           int flipHeight)
    : display_(display), menu_(menu) {
  std::lock_guard<std::mutex> lock(X11DrawingMutex());
  RasterFont* font = MenuFont();
  if (!font || !menu) return;
  const int lineHeight = font->LineHeight();
  int width = kMinimumWidth, top = kBorder;
  for (int i = 0; i < menu->NEntries(); ++i) {
    const IMenuEntry* entry = menu->GetEntry(i);
    Row row;
    row.flags = entry->flags;
    row.submenu = entry->submenu;
    row.top = top;
    if (entry->flags & IMenuEntry::MenuSeparator) {
      top += kSeparatorHeight;
    } else {
      row.label = MenuLabel(menu->NumberingPrefix(), i + 1, entry->text.Get());
      RasterRect measured{0, 0, 0, 0};
      font->DrawUtf8Text(nullptr, row.label.c_str(), -1, &measured, TEXT_CALCRECT);
      width = std::max(width, kBorder + kCheckColumn + measured.right + kArrowColumn + kBorder);
      top += lineHeight + 2 * kRowPadding;
    }
    row.bottom = top;
    rows_.push_back(row);
  }
  const int height = top + kBorder;
  const int screenWidth = DisplayWidth(display, DefaultScreen(display));
  const int screenHeight = DisplayHeight(display, DefaultScreen(display));
  if (x + width > screenWidth) x = x - flipWidth - width;
  if (y + height > screenHeight) y = y - flipHeight - height;
  x = std::clamp(x, 0, std::max(0, screenWidth - width));
  y = std::clamp(y, 0, std::max(0, screenHeight - height));
  surface_ = std::make_unique<X11Surface>(
      display, DefaultRootWindow(display), x, y, width, height, true,
      ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask);
  if (surface_->Failed()) return;
  Draw();
  XMapRaised(display, surface_->Window());
  // Drawn at once, not only on its first Expose: the menu's grabs follow, so anyone who sees
  // them sees the menu drawn.
  surface_->Present();
}

int X11MenuLevel::RowAt(int x, int y) const {
  if (Failed() || !surface_->Contains(x, y)) return -1;
  const int localY = y - surface_->Y();
  for (size_t i = 0; i < rows_.size(); ++i)
    if (localY >= rows_[i].top && localY < rows_[i].bottom) return static_cast<int>(i);
  return -1;
}

bool X11MenuLevel::Choosable(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
  constexpr int32_t kNotChoosable =
      IMenuEntry::MenuSeparator | IMenuEntry::MenuDisabled | IMenuEntry::MenuInactive;
  return !(rows_[row].flags & kNotChoosable) && !rows_[row].submenu;
}

bool X11MenuLevel::OpensSubmenu(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
  constexpr int32_t kClosed =
      IMenuEntry::MenuSeparator | IMenuEntry::MenuDisabled | IMenuEntry::MenuInactive;
  return rows_[row].submenu && rows_[row].submenu->NEntries() > 0 && !(rows_[row].flags & kClosed);
}

bool X11MenuLevel::Reachable(int row) const {
  return Choosable(row) || OpensSubmenu(row);
}

int X11MenuLevel::NextReachable(int from, int step) const {
  const int count = static_cast<int>(rows_.size());
  if (count == 0) return -1;
  int row = from < 0 ? (step > 0 ? -1 : count) : from;
  for (int tried = 0; tried < count; ++tried) {
    row = (row + step + count) % count;
    if (Reachable(row)) return row;
  }
  return -1;
}

void X11MenuLevel::SetHighlight(int row) {
  if (row == highlight_ || Failed()) return;
  highlight_ = row;
  {
    std::lock_guard<std::mutex> lock(X11DrawingMutex());
    Draw();
  }
  surface_->Present();
}

int X11MenuLevel::RowTop(int row) const {
  if (Failed() || row < 0 || row >= static_cast<int>(rows_.size())) return 0;
  return surface_->Y() + rows_[row].top - kBorder;
}

void X11MenuLevel::Draw() {
  RasterBitmap* bitmap = surface_->Bitmap();
  RasterFont* font = MenuFont();
  const int width = surface_->Width(), height = surface_->Height();
  Fill(bitmap, 0, 0, width, height, kFrame);
  Fill(bitmap, kBorder, kBorder, width - 2 * kBorder, height - 2 * kBorder, kBackground);
  for (size_t i = 0; i < rows_.size(); ++i) {
    const Row& row = rows_[i];
    if (row.flags & IMenuEntry::MenuSeparator) {
      Fill(bitmap, kBorder + 3, (row.top + row.bottom) / 2, width - 2 * kBorder - 6, 1,
           kSeparatorLine);
      continue;
    }
    const bool highlighted = static_cast<int>(i) == highlight_;
    if (highlighted)
      Fill(bitmap, kBorder, row.top, width - 2 * kBorder, row.bottom - row.top, kHighlightBack);
    const Pixel ink = highlighted                              ? kHighlightText
                      : (row.flags & IMenuEntry::MenuDisabled) ? kGreyedText
                                                               : kText;
    const int middle = (row.top + row.bottom) / 2;
    if (row.flags & IMenuEntry::MenuChecked) DrawCheck(bitmap, kBorder + 8, middle + 3, ink);
    if (row.submenu) DrawArrow(bitmap, width - kBorder - 8, middle, ink);
    if (font && !row.label.empty()) {
      font->SetForeColor(ink);
      RasterRect rect{kBorder + kCheckColumn, row.top + kRowPadding, width - kArrowColumn,
                      row.bottom - kRowPadding};
      font->DrawUtf8Text(bitmap, row.label.c_str(), -1, &rect, TEXT_NOCLIP);
    }
  }
}
