// BlurRegion: an in-place smoothing of the region from (0, 0) of a bitmap, computed per byte on
// whole 32-bit words (halves, quarters and eighths, each truncated on its own).
#pragma once

#include "raster/RasterBitmap.h"

void BlurRegion(RasterBitmap* bitmap, int width, int height);
