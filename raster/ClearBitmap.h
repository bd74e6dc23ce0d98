// ClearBitmap: sets every pixel of a bitmap's image to 0 (padding beyond the width untouched).
#pragma once

#include "raster/RasterBitmap.h"

void ClearBitmap(RasterBitmap* bitmap);
