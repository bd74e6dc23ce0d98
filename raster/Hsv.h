// Integer HSV of the HSV-adjust blend: hue 0..383 (64 steps per sixth of the colour circle),
// saturation and value 0..255, both directions, and the adjustment of one pixel.
#pragma once

#include "raster/RasterBitmap.h"

struct Hsv {
  int hue;
  int saturation;
  int value;
};

Hsv RgbToHsv(int r, int g, int b);
// Hue 0..383; the result's alpha is the low 8 bits of `alpha`.
Pixel HsvToPixel(int hue, int saturation, int value, int alpha);
// Shifts the pixel's hue, saturation and value by amounts 0..255 (128 changes nothing) with
// weight w, and gives it `alpha`.
Pixel AdjustHsv(Pixel destination, int w, int hueAmount, int saturationAmount, int valueAmount,
                int alpha);
