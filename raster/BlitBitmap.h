// BlitBitmap: copies a rectangle of one bitmap onto another, one source pixel to one
// destination pixel, with a blend operation and an opacity (modes in BlendMode.h).
#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterRect.h"

// Draws sourceRect of source (the whole source when null) with its top-left at (x, y) of
// destination, clipped to both bitmaps. Does nothing for a null source or an opacity of 0.
void BlitBitmap(RasterBitmap* destination, RasterBitmap* source, int x, int y,
                const RasterRect* sourceRect, float opacity, int mode);
