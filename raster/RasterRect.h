// RasterRect: a rectangle laid out as a Win32 RECT (left, top, right, bottom; right and bottom
// exclusive), so that Windows callers can pass theirs.
#pragma once

#include <cstdint>

struct RasterRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
