// Glyph rendering on Windows: GDI measures and draws one character with DrawTextW (or DrawTextA)
// into the glyph scratch's device context, white text on an opaque black background.
#include <windows.h>

#include "raster/GlyphRenderer.h"

namespace {

constexpr UINT kMeasure = DT_NOPREFIX | DT_CALCRECT | DT_SINGLELINE;
constexpr UINT kDraw = DT_NOPREFIX | DT_SINGLELINE;

// One character in the scratch's context with the font selected (when there is one).
void DrawCharacter(SystemFontHandle font, int code, bool wide, SysBitmap& scratch, RECT* rect,
                   UINT format) {
  HDC dc = static_cast<HDC>(scratch.SystemDC());
  if (!dc) return;
  HGDIOBJ previous = font ? SelectObject(dc, static_cast<HFONT>(font)) : nullptr;
  if (wide) {
    const wchar_t unit = static_cast<wchar_t>(code);
    DrawTextW(dc, &unit, 1, rect, format);
  } else {
    const char text[2] = {static_cast<char>(code), 0};
    DrawTextA(dc, text, -1, rect, format);
  }
  if (previous) SelectObject(dc, previous);
}

}  // namespace

void PrepareGlyphScratch(SysBitmap& scratch) {
  HDC dc = static_cast<HDC>(scratch.SystemDC());
  if (!dc) return;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 0));
}

int SystemFontLineHeight(SystemFontHandle font, SysBitmap& scratch) {
  HDC dc = static_cast<HDC>(scratch.SystemDC());
  if (!dc || !font) return -1;
  HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font));
  TEXTMETRICA metrics{};
  const bool measured = GetTextMetricsA(dc, &metrics) != 0;
  SelectObject(dc, previous);
  return measured ? metrics.tmHeight : -1;
}

GlyphCell MeasureGlyph(SystemFontHandle font, int code, bool wide, SysBitmap& scratch) {
  RECT rect{0, 0, 0, 0};
  DrawCharacter(font, code, wide, scratch, &rect, kMeasure);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void DrawGlyphIntoScratch(SystemFontHandle font, int code, bool wide, int width, int height,
                          SysBitmap& scratch) {
  RECT rect{0, 0, width, height};
  DrawCharacter(font, code, wide, scratch, &rect, kDraw);
  GdiFlush();  // the pixels are read straight from the section next
}
