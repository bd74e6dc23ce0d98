// IArgb: an editor colour, each channel 0..255.
#pragma once

#include <cstdint>

struct IArgb {
  int32_t alpha = 255;
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
};
