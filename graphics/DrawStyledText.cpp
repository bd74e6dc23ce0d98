// IGraphics text drawing: a style becomes a font, a colour and a format word; text is drawn into
// the canvas at an area, or measured and the area placed by the style's alignment.
#include <mutex>

#include "graphics/FontCache.h"
#include "graphics/IGraphics.h"
#include "raster/RasterFont.h"
#include "raster/SysBitmap.h"

namespace {

// Fonts (their colour and glyph cache) and the raster library's scratch bitmaps are shared by
// every editor of the module, and some hosts give each plug-in window a thread of its own: text
// is drawn and measured by one editor at a time.
std::mutex sharedFontsMutex;

}  // namespace

bool IGraphics::DrawStyledText(ITextStyle* style, const char* text, IBounds* area, bool measure) {
  if (!text || text[0] == '\0') return true;
  if (!style || !area) return false;
  std::lock_guard<std::mutex> lock(sharedFontsMutex);
  RasterFont* font = style->cachedFont ? style->cachedFont : FindOrCreateFont(style);
  if (!font) return false;
  const IArgb& c = style->colour;
  font->SetForeColor(static_cast<Pixel>(c.alpha & 0xFF) << 24 |
                     static_cast<Pixel>(c.red & 0xFF) << 16 |
                     static_cast<Pixel>(c.green & 0xFF) << 8 | static_cast<Pixel>(c.blue & 0xFF));
  uint32_t format = TEXT_NOCLIP;
  if ((c.alpha & 0xFF) != 0xFF) format |= TEXT_ALPHA_FROM_COLOR;
  if (style->alignment == ITextStyle::Centre)
    format |= TEXT_CENTER;
  else if (style->alignment != ITextStyle::Near)
    format |= TEXT_RIGHT;

  if (!measure) {
    // Not clipped to the pass's drawArea: the text lies inside its control's area.
    RasterRect rect{area->left, area->top, area->right, area->bottom};
    if (canvas_) font->DrawUtf8Text(canvas_.get(), text, -1, &rect, format);
    return true;
  }
  RasterRect rect{0, 0, 0, 0};
  font->DrawUtf8Text(canvas_.get(), text, -1, &rect, format | TEXT_CALCRECT);
  const int width = rect.right, height = rect.bottom;
  if (style->alignment == ITextStyle::Near) {
    area->right = area->left + width;
  } else if (style->alignment == ITextStyle::Centre) {
    // The centre in single precision, as truncate((left + right) x -0.5) negated.
    const float half = static_cast<float>(area->left + area->right) * -0.5f;
    area->left = -static_cast<int32_t>(half) - width / 2;
    area->right = area->left + width;
  } else {
    area->left = area->right - width;
  }
  area->bottom = area->top + height;
  return true;
}

bool IGraphics::MeasureStyledText(ITextStyle* style, const char* text, IBounds* area) {
  return DrawStyledText(style, text, area, true);
}

IBounds IGraphics::DrawPlacedText(ITextStyle* style, const char* text, const IBounds& area) {
  if (!text || text[0] == '\0') return {};
  IBounds placed = area;
  if (!DrawStyledText(style, text, &placed, true)) return {};
  IBounds drawn = area;
  DrawStyledText(style, text, &drawn, false);
  // Antialiased glyph edges may reach a pixel beyond the advance box.
  constexpr int kMargin = 2;
  return {placed.left - kMargin, placed.top, placed.right + kMargin, placed.bottom + 1};
}
