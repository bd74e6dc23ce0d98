// FillRectangle: fills a rectangle of a bitmap with one colour under a blend operation and an
// opacity (modes in BlendMode.h); the colour acts as a source pixel whose alpha is the weight.
#pragma once

#include "raster/RasterBitmap.h"

// Clipped to the bitmap. With BLEND_USE_SOURCE_ALPHA the colour's alpha scales the opacity.
void FillRectangle(RasterBitmap* bitmap, int x, int y, int width, int height, Pixel colour,
                   float opacity, int mode);
