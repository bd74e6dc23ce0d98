// RasterFont: the abstract font that draws and measures UTF-8 text into raster bitmaps, with the
// font flags, the text format flags it interprets and the system font handle it wraps.
#pragma once

#include <cstdint>

#include "raster/RasterBitmap.h"
#include "raster/RasterRect.h"

// A Windows HFONT on Windows; on Linux our own font record (SystemFont.h makes both).
using SystemFontHandle = void*;

// Font flags.
constexpr uint32_t FONT_VERTICAL = 0x1;   // top to bottom; glyphs stored turned clockwise
constexpr uint32_t FONT_BOTTOM_UP = 0x2;  // with FONT_VERTICAL: bottom to top, turned back
constexpr uint32_t FONT_PRERENDER = 0x4;  // codes 0..127 rendered at attach, nothing above
constexpr uint32_t FONT_BLUR = 0x10;      // coverage smoothed before it is stored
constexpr uint32_t FONT_INVERT = 0x20;    // coverage stored as 255 - value
constexpr uint32_t FONT_MONO = 0x40;      // coverage 0 or 255 (above 130 is ink)
constexpr uint32_t FONT_SHADOW = 0x80;    // mono plus accent pixels right and below the ink
constexpr uint32_t FONT_OUTLINE = 0x100;  // mono plus accent pixels around the ink
constexpr uint32_t FONT_OWNS_HANDLE = 0x200;
constexpr uint32_t FONT_NATIVE = 0x400;  // the system may draw the text itself
// Flags the system's own text drawing cannot honour.
constexpr uint32_t FONT_GLYPH_EFFECTS = 0x1F7;

// Text format flags: the Win32 DrawText values (Windows callers may pass their DT_ flags).
constexpr uint32_t TEXT_CENTER = 0x1;
constexpr uint32_t TEXT_RIGHT = 0x2;
constexpr uint32_t TEXT_VCENTER = 0x4;
constexpr uint32_t TEXT_BOTTOM = 0x8;
constexpr uint32_t TEXT_SINGLELINE = 0x20;
constexpr uint32_t TEXT_NOCLIP = 0x100;
constexpr uint32_t TEXT_CALCRECT = 0x400;
constexpr uint32_t TEXT_NOPREFIX = 0x800;
// The opacity is scaled by the text colour's alpha for one call; forces the glyph way.
constexpr uint32_t TEXT_ALPHA_FROM_COLOR = 0x40000000;
constexpr uint32_t TEXT_FORCE_GLYPHS = 0x80000000;

// Background modes (the Win32 SetBkMode values).
constexpr int TEXT_TRANSPARENT = 1;
constexpr int TEXT_OPAQUE = 2;

class RasterFont {
 public:
  // The slot order below is part of the interface: do not reorder.
  virtual ~RasterFont() = default;
  // Replaces the handle (null allowed) and empties the glyph cache.
  virtual void AttachSystemFont(SystemFontHandle font, uint32_t flags) = 0;
  virtual Pixel SetForeColor(Pixel colour) = 0;
  virtual Pixel SetBackColor(Pixel colour) = 0;
  // Colour of shadow and outline pixels.
  virtual Pixel SetAccentColor(Pixel colour) = 0;
  virtual int SetBackMode(int mode) = 0;
  virtual void SetBlend(int mode, float opacity) = 0;
  // Draws into bitmap, or with TEXT_CALCRECT measures into rect (bitmap may then be null).
  // count < 0: up to the terminating zero.
  virtual int DrawUtf8Text(RasterBitmap* bitmap, const char* text, int count, RasterRect* rect,
                           uint32_t format) = 0;
  virtual Pixel ForeColor() = 0;
  virtual SystemFontHandle SystemFont() = 0;
  virtual int LineHeight() = 0;
};
