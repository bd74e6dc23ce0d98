// IBounds: an editor rectangle in pixels (origin top left, y down; right and bottom exclusive).
// Only (0, 0, 0, 0) counts as empty, so a degenerate (5, 5, 5, 5) still takes part in unions.
#pragma once

#include <algorithm>
#include <cstdint>

struct IBounds {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool Contains(int x, int y) const {
    return !IsEmpty() && left <= x && x < right && top <= y && y < bottom;
  }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // The redraw pass's overlap rule: right and bottom edges touching count, empty never does.
  bool Touches(const IBounds& other) const {
    return !IsEmpty() && !other.IsEmpty() && right >= other.left && left < other.right &&
           bottom >= other.top && top < other.bottom;
  }
  bool operator==(const IBounds&) const = default;
};

inline IBounds Union(const IBounds& a, const IBounds& b) {
  if (b.IsEmpty()) return a;
  if (a.IsEmpty()) return b;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}
