// BlitBitmap: clipping, orientation, shortcuts and every kernel, against pixels worked out by
// hand from the blend formulas (divisions truncate toward zero).
#include <gtest/gtest.h>

#include "raster/BlendMode.h"
#include "raster/BlitBitmap.h"
#include "raster/MemBitmap.h"
#include "tests/raster/BottomUpBitmap.h"

namespace {

// One source pixel over one destination pixel.
Pixel Blend(Pixel destination, Pixel source, float opacity, int mode) {
  MemBitmap target(1, 1), from(1, 1);
  target.Bits()[0] = destination;
  from.Bits()[0] = source;
  BlitBitmap(&target, &from, 0, 0, nullptr, opacity, mode);
  return target.Bits()[0];
}

constexpr int kAlpha = BLEND_USE_SOURCE_ALPHA;

// Source pixels numbered by position: 0xFF00YYXX.
void Number(RasterBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      PixelAt(bitmap, x, y) = 0xFF000000u | (y << 8) | x;
}

TEST(BlitClipping, NegativeSourceLeftMovesTheDestination) {
  MemBitmap source(4, 3), destination(20, 2);
  Number(source);
  FillAll(destination, 0);
  const RasterRect rect{-5, 0, 2, 1};
  BlitBitmap(&destination, &source, 10, 0, &rect, 1.0f, BLEND_COPY);
  for (int x = 0; x < 20; ++x) {
    const Pixel expected = x == 15 ? 0xFF000000u : x == 16 ? 0xFF000001u : 0u;
    EXPECT_EQ(PixelAt(destination, x, 0), expected) << x;
    EXPECT_EQ(PixelAt(destination, x, 1), 0u) << x;
  }
}

TEST(BlitClipping, NegativeDestinationSkipsSourceColumnsAndRows) {
  MemBitmap source(4, 3), destination(5, 5);
  Number(source);
  FillAll(destination, 0);
  BlitBitmap(&destination, &source, -3, -2, nullptr, 1.0f, BLEND_COPY);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(PixelAt(destination, x, y), x == 0 && y == 0 ? 0xFF000203u : 0u) << x << "," << y;
}

TEST(BlitClipping, RightAndBottomEdgesAndEmptyResults) {
  MemBitmap source(4, 3), destination(8, 6);
  Number(source);
  FillAll(destination, 0);
  BlitBitmap(&destination, &source, 6, 4, nullptr, 1.0f, BLEND_COPY);
  EXPECT_EQ(PixelAt(destination, 6, 4), 0xFF000000u);
  EXPECT_EQ(PixelAt(destination, 7, 5), 0xFF000101u);
  EXPECT_EQ(PixelAt(destination, 5, 4), 0u);
  MemBitmap untouched(8, 6);
  FillAll(untouched, 0x01020304);
  const RasterRect outside{5, 0, 9, 3};
  BlitBitmap(&untouched, &source, 0, 0, &outside, 1.0f, BLEND_COPY);
  BlitBitmap(&untouched, &source, 8, 0, nullptr, 1.0f, BLEND_COPY);
  BlitBitmap(&untouched, &source, -2147483647, -2147483647, nullptr, 1.0f, BLEND_COPY);
  const RasterRect extreme{-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647};
  BlitBitmap(&untouched, &source, 2147483647, 0, &extreme, 1.0f, BLEND_COPY);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(PixelAt(untouched, x, y), 0x01020304u);
}

TEST(BlitClipping, BottomUpBitmapsOnEitherSide) {
  BottomUpBitmap upSource(4, 3);
  Number(upSource);
  MemBitmap down(4, 3);
  FillAll(down, 0);
  const RasterRect rows{1, 1, 4, 3};
  BlitBitmap(&down, &upSource, 0, 0, &rows, 0.25f, BLEND_ADD | kAlpha);  // exact kernel path
  MemBitmap expected(4, 3);
  BlitBitmap(&expected, &upSource, 0, 0, &rows, 1.0f, BLEND_COPY);
  BottomUpBitmap upTarget(4, 3);
  BlitBitmap(&upTarget, &upSource, 1, 0, &rows, 1.0f, BLEND_COPY);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const Pixel s = 0xFF000000u | ((y + 1) << 8) | (x + 1);
      EXPECT_EQ(PixelAt(expected, x, y), s);
      EXPECT_EQ(PixelAt(upTarget, x + 1, y), s);
      // k = 64 x 256 / 256 = 64: bytes grow by 64 x s / 256.
      EXPECT_EQ(PixelAt(down, x, y), 0x3F000000u);
    }
  EXPECT_EQ(PixelAt(upTarget, 0, 0), 0u);
  EXPECT_EQ(PixelAt(upTarget, 1, 2), 0u);
}

TEST(BlitShortcuts, RawCopyHalvingChannelCopyAndNoOps) {
  EXPECT_EQ(Blend(0x00000000, 0x80112233, 1.0f, BLEND_COPY), 0x80112233u);
  EXPECT_EQ(Blend(0x00000000, 0xFFFFFFFF, 0.5f, BLEND_COPY), 0x7F7F7F7Fu);
  EXPECT_EQ(Blend(0x0F0D0B09, 0x01030507, 0.5f, BLEND_COPY), 0x07070707u);
  // Mode 0xF7: source byte 3 (alpha) into destination byte 1 (green), at any opacity.
  EXPECT_EQ(Blend(0x11223344, 0xAB000000, 1.0f, 0xF7), 0x1122AB44u);
  EXPECT_EQ(Blend(0x11223344, 0xAB000000, 0.25f, 0xF7), 0x1122AB44u);
  for (int mode : {BLEND_COPY, BLEND_ADD | kAlpha, BLEND_MULTIPLY, 0xF7, 0xFF}) {
    EXPECT_EQ(Blend(0x11223344, 0xFFFFFFFF, 0.0f, mode), 0x11223344u) << mode;
  }
  for (int mode : {6, 6 | kAlpha, 0xEF})
    EXPECT_EQ(Blend(0x11223344, 0xFFFFFFFF, 1.0f, mode), 0x11223344u);
  MemBitmap target(1, 1);
  target.Bits()[0] = 0x11223344;
  BlitBitmap(&target, nullptr, 0, 0, nullptr, 1.0f, BLEND_COPY);
  EXPECT_EQ(target.Bits()[0], 0x11223344u);
}

TEST(BlitCopy, WeightedCopyTruncatesTowardZero) {
  // s = (A 255, R 100, G 0, B 200), d = (A 0, R 100, G 200, B 0).
  // 0.25: d' = s + (d - s) x 192 / 256: B 200 - 150, G 150, R 100, A 255 - 191.
  EXPECT_EQ(Blend(0x0064C800, 0xFF6400C8, 0.25f, BLEND_COPY), 0x40649632u);
  // 0.75: weight 64: B 200 - 50, G 50, R 100, A 255 - 63.
  EXPECT_EQ(Blend(0x0064C800, 0xFF6400C8, 0.75f, BLEND_COPY), 0xC0643296u);
  // Negative opacity does nothing; opacity 2 extrapolates (2s - d) and keeps the low byte.
  EXPECT_EQ(Blend(0x0064C800, 0xFF6400C8, -0.5f, BLEND_COPY), 0x0064C800u);
  EXPECT_EQ(Blend(0x00000000, 0x01020304, 2.0f, BLEND_COPY), 0x02040608u);
}

TEST(BlitCopy, SourceAlphaAtFullOpacity) {
  EXPECT_EQ(Blend(0x12345678, 0x00FFFFFF, 1.0f, BLEND_COPY | kAlpha), 0x12345678u);
  EXPECT_EQ(Blend(0x00ABCDEF, 0xFF102030, 1.0f, BLEND_COPY | kAlpha), 0xFF102030u);
  // sa 128 over opaque blue: complement 127; B 255 x 127 / 256 = 126, R 255 - 126; alpha stays 255.
  EXPECT_EQ(Blend(0xFF0000FF, 0x80FF0000, 1.0f, BLEND_COPY | kAlpha), 0xFF81007Eu);
  // sa 64 over zero: R 200 - 149, G 100 - 74; alpha grows by sa.
  EXPECT_EQ(Blend(0x00000000, 0x40C86400, 1.0f, BLEND_COPY | kAlpha), 0x40331A00u);
}

TEST(BlitCopy, SourceAlphaAtPartialOpacity) {
  // 0.5: k = 128 x 129 / 256 = 64; R 200 - 150, G 100 - 75, B 255 x 192 / 256 = 191; alpha min 255.
  EXPECT_EQ(Blend(0xFF0000FF, 0x80C86400, 0.5f, BLEND_COPY | kAlpha), 0xFF3219BFu);
  // 0.25: k = 32; R 200 - 175, G 100 - 87; alpha 0 + 32.
  EXPECT_EQ(Blend(0x00000000, 0x80C86400, 0.25f, BLEND_COPY | kAlpha), 0x20190D00u);
  EXPECT_EQ(Blend(0x12345678, 0x00FFFFFF, 0.5f, BLEND_COPY | kAlpha), 0x12345678u);
}

TEST(BlitAdd, SaturatesAndWeights) {
  EXPECT_EQ(Blend(0x90107F01, 0x80808080, 1.0f, BLEND_ADD), 0xFF90FF81u);
  // 128 x 129 / 256 = 64, 64 x 129 / 256 = 32.
  EXPECT_EQ(Blend(0x10101010, 0x81818181, 0.5f, BLEND_ADD), 0x50505050u);
  EXPECT_EQ(Blend(0x10101010, 0x81818181, 0.25f, BLEND_ADD), 0x30303030u);
  // Negative weights subtract, clamped at 0.
  EXPECT_EQ(Blend(0x10101010, 0xFF000020, -1.0f, BLEND_ADD), 0x00101000u);
}

TEST(BlitAdd, SourceAlpha) {
  // sa 127: k = 128; A 1 + 63, R 1 + 32, G 1 + 16, B 1 + 8.
  EXPECT_EQ(Blend(0x01010101, 0x7F402010, 1.0f, BLEND_ADD | kAlpha), 0x40211109u);
  // 0.5: k = 64; A 1 + 31, R 1 + 16, G 1 + 8, B 1 + 4.
  EXPECT_EQ(Blend(0x01010101, 0x7F402010, 0.5f, BLEND_ADD | kAlpha), 0x20110905u);
  EXPECT_EQ(Blend(0x01010101, 0x00FFFFFF, 1.0f, BLEND_ADD | kAlpha), 0x01010101u);
}

TEST(BlitDodge, BrightensByTheWeightedSource) {
  // t = s: A t 255 > 254 -> 255; R 64 x 256 / 128; G 96; B 128 x 256 / 192 = 170.
  EXPECT_EQ(Blend(0x01406080, 0xFF800040, 1.0f, BLEND_DODGE), 0xFF8060AAu);
  // 0.5: A t 127 -> 256 / 129 = 1; R t 64 -> 85; B t 32 -> 146.
  EXPECT_EQ(Blend(0x01406080, 0xFF800040, 0.5f, BLEND_DODGE), 0x01556092u);
  // Source alpha, no skipping: sa 127, k 128; colour t 64 -> 85, alpha t 63 -> 84.
  EXPECT_EQ(Blend(0x40404040, 0x7F808080, 1.0f, BLEND_DODGE | kAlpha), 0x54555555u);
}

TEST(BlitMultiply, DarkensByTheWeightedSource) {
  // A 128 x 255 / 256 = 127, R 127, G 64 x 128 / 256 = 32, B 0.
  EXPECT_EQ(Blend(0xFF808080, 0x80FF4000, 1.0f, BLEND_MULTIPLY), 0x7F7F2000u);
  // 0.5: A 49152 x 255 / 65536 = 191, R 65408 x 128 / 65536 = 127, G 80, B 64.
  EXPECT_EQ(Blend(0xFF808080, 0x80FF4000, 0.5f, BLEND_MULTIPLY), 0xBF7F5040u);
  // Source alpha 127: k 128; colour 49152 x 255 / 65536 = 191, alpha 49024 x 255 / 65536 = 190.
  EXPECT_EQ(Blend(0xFFFFFFFF, 0x7F808080, 1.0f, BLEND_MULTIPLY | kAlpha), 0xBEBFBFBFu);
  // sa 0 is skipped (k would be 1 and darken 255 to 254).
  EXPECT_EQ(Blend(0xFFFFFFFF, 0x00000000, 1.0f, BLEND_MULTIPLY | kAlpha), 0xFFFFFFFFu);
}

TEST(BlitOverlay, ContrastBlend) {
  // d 128: s 0 -> 64, s 255 -> 191, s 128 -> 128, s 64 -> 96.
  EXPECT_EQ(Blend(0x80808080, 0x00FF8040, 1.0f, BLEND_OVERLAY), 0x40BF8060u);
  // 0.5: s 0 -> 96, s 255 -> (-8128 + 49024) x 128 / 32768 = 159, s 128 -> 128, s 64 -> 112.
  EXPECT_EQ(Blend(0x80808080, 0x00FF8040, 0.5f, BLEND_OVERLAY), 0x609F8070u);
  // Source alpha 0 is not skipped: k = 1; s 0 -> 127; s 255 -> (-63 + 32895) x 128 / 32768 = 128.
  EXPECT_EQ(Blend(0x80808080, 0x00FF0000, 1.0f, BLEND_OVERLAY | kAlpha), 0x7F807F7Fu);
}

TEST(BlitHsvAdjust, ShiftsHueSaturationAndValue) {
  // Amounts of 128 change nothing; red stays red, alpha from the source.
  EXPECT_EQ(Blend(0xFFFF0000, 0x40808080, 1.0f, BLEND_HSV_ADJUST), 0x40FF0000u);
  // Hue amount 255 turns red by 190 steps: R p = 0, G v, B 255 x 15874 / 16384 = 247.
  EXPECT_EQ(Blend(0xFFFF0000, 0xFFFF8080, 1.0f, BLEND_HSV_ADJUST), 0xFF00FFF7u);
  // Hue amount 0 turns by -192, wrapping to 192: cyan.
  EXPECT_EQ(Blend(0xFFFF0000, 0xFF008080, 1.0f, BLEND_HSV_ADJUST), 0xFF00FFFFu);
  // Saturation amount 0 removes all colour.
  EXPECT_EQ(Blend(0xFFFF0000, 0x80800080, 1.0f, BLEND_HSV_ADJUST), 0x80FFFFFFu);
  // Value amount 0 at 0.5 halves the value: 255 - 128 = 127.
  EXPECT_EQ(Blend(0xFFFF0000, 0xFF808000, 0.5f, BLEND_HSV_ADJUST), 0xFF7F0000u);
  // A negative hue numerator: 383 + (-128 x 257) / 1024 = 351, so B = 255 x 8479 / 16384 = 131.
  EXPECT_EQ(Blend(0x00FF0080, 0x20808080, 1.0f, BLEND_HSV_ADJUST), 0x20FF0083u);
  // Source alpha 0 still adjusts with k = 1: saturation 255 - 1 gives p = 1; alpha = sa.
  EXPECT_EQ(Blend(0xFFFF0000, 0x00800080, 1.0f, BLEND_HSV_ADJUST | kAlpha), 0x00FF0101u);
}

}  // namespace
