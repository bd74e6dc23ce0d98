// GlyphRecord: where a cached glyph's coverage lies and how it is placed.
#pragma once

#include <cstdint>

struct GlyphRecord {
  // 0 not rendered yet, -1 rendered and empty, else 1 + offset of its first coverage byte.
  int32_t dataPosition;
  int32_t width;
  int32_t height;
  int32_t advance;  // along the writing direction
  int32_t code;     // UTF-16 unit; the sort key of the extended table
};

constexpr int32_t kGlyphEmpty = -1;
