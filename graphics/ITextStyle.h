// ITextStyle: how a text is drawn (face, size, colours, weight, alignment, angle, quality) and
// the font it was last drawn with, borrowed from the font cache.
#pragma once

#include <cstdint>

#include "graphics/IArgb.h"

class RasterFont;

struct ITextStyle {
  static constexpr int kFaceSize = 32;
  enum Style : int32_t { Normal = 0, Bold = 1, Italic = 2 };
  enum Alignment : int32_t { Near = 0, Centre = 1, Far = 2 };
  enum Quality : int32_t { DefaultQuality = 0, NotAntialiased = 1, Antialiased = 2, ClearType = 3 };

  char face[kFaceSize] = "Verdana";
  int32_t size = 12;
  IArgb colour{255, 0, 0, 0};
  IArgb entryBackground{255, 255, 255, 255};
  IArgb entryText{255, 0, 0, 0};
  int32_t style = Normal;
  int32_t alignment = Centre;
  int32_t orientation = 0;  // degrees, counter-clockwise
  int32_t quality = DefaultQuality;
  RasterFont* cachedFont = nullptr;  // owned by the font cache

  // Copies face, at most kFaceSize - 1 bytes.
  void SetFace(const char* name);
};
