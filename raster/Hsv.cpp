// Integer HSV conversions and the HSV adjustment.
#include "raster/Hsv.h"

#include "raster/BlendMath.h"
#include "raster/ReciprocalTable.h"

namespace {
constexpr int kHueRange = 384;

struct HueParts {
  int max;
  int base;
  int numerator;
  int delta;
};

HueParts SplitHue(int r, int g, int b) {
  if (g > r) {
    if (g > b) return {g, 128, b - r, g - std::min(b, r)};
    return {b, 256, r - g, b - r};
  }
  if (r > b) {
    if (g < b) return {r, 383, g - b, r - g};
    return {r, 0, g - b, r - b};
  }
  return {b, 256, r - g, b - std::min(r, g)};
}

// The varying channel of a sixth, f steps from the start of its edge.
int Edge(int v, int f, int s) {
  return v * (16384 - f * s) / 16384;
}

Pixel Pack(int r, int g, int b, int alpha) {
  return (static_cast<Pixel>(alpha & 0xFF) << 24) | (static_cast<Pixel>(r & 0xFF) << 16) |
         (static_cast<Pixel>(g & 0xFF) << 8) | static_cast<Pixel>(b & 0xFF);
}
}  // namespace

Hsv RgbToHsv(int r, int g, int b) {
  const HueParts parts = SplitHue(r, g, b);
  const int saturation = kReciprocalTable[parts.max] * parts.delta / 256;
  const int hue = parts.base + parts.numerator * (kReciprocalTable[parts.delta] + 1) / 1024;
  return {hue, saturation, parts.max};
}

Pixel HsvToPixel(int h, int s, int v, int alpha) {
  const int p = v * (256 - s) / 256;
  if (h < 64) return Pack(v, Edge(v, 64 - h, s), p, alpha);
  if (h < 128) return Pack(Edge(v, h - 64, s), v, p, alpha);
  if (h < 192) return Pack(p, v, Edge(v, 192 - h, s), alpha);
  if (h < 256) return Pack(p, Edge(v, h - 192, s), v, alpha);
  if (h < 320) return Pack(Edge(v, 320 - h, s), p, v, alpha);
  return Pack(v, p, Edge(v, h - 320, s), alpha);
}

Pixel AdjustHsv(Pixel destination, int w, int hueAmount, int saturationAmount, int valueAmount,
                int alpha) {
  const Hsv hsv =
      RgbToHsv((destination >> 16) & 0xFF, (destination >> 8) & 0xFF, destination & 0xFF);
  int hue = hsv.hue + w * (hueAmount + hueAmount / 2 - 192) / 256;
  // Within 0..1 opacity one turn brings the hue back into range; the remainder also covers
  // larger weights.
  hue %= kHueRange;
  if (hue < 0) hue += kHueRange;
  const int saturation = Clamp255(hsv.saturation + w * (saturationAmount - 128) / 128);
  const int value = Clamp255(hsv.value + w * (valueAmount - 128) / 128);
  return HsvToPixel(hue, saturation, value, alpha);
}
