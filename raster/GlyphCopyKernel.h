// The fast kernel of the commonest text composition: antialiased coverage copied at full
// opacity (A = 256). Byte-identical to the exact loop (a test compares both on random data).
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/RasterBitmap.h"

// Rows of `columns` pixels; `coverage` rows `stride` bytes apart, destination rows `step` bytes
// apart. Zero coverage leaves a pixel alone; otherwise weight w = 255 - c moves every byte
// towards the colour (alpha towards 255): d = s + (d - s) x w / 256, truncated toward zero.
void CopyCoverageFullOpacity(uint8_t* destination, ptrdiff_t step, const uint8_t* coverage,
                             int stride, int columns, int rows, Pixel colour);
