// PNG writing with libpng: bitmaps as 8-bit RGBA images (straight alpha, as the pixels hold
// it), and raw sample rows in any PNG format (what tests and tools use to make loader inputs).
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

#include "raster/RasterBitmap.h"

// Rows of packed samples exactly as they go into the file: height rows, big-endian for 16 bits.
struct PngRows {
  int width = 1;
  int height = 1;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  bool interlaced = false;
  std::vector<png_color> palette{};
  std::vector<uint8_t> transparency{};  // tRNS alpha per palette entry
  std::vector<uint8_t> rows{};
};

// Empty when libpng rejects the image (bad sizes, too few row bytes, no memory).
std::vector<uint8_t> EncodePngRows(const PngRows& image);

// The bitmap's image rows top to bottom, whatever its memory orientation. False (and `out`
// empty) for a bitmap without pixels or when encoding fails.
bool SavePngMemory(const RasterBitmap& bitmap, std::vector<uint8_t>& out);
// fileName is UTF-8. A failed write may leave a partial file behind and answers false.
bool SavePngFile(const RasterBitmap& bitmap, const char* fileName);
