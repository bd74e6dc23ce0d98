// FillRectangle, ClearBitmap and BlurRegion against hand-worked pixels.
#include <gtest/gtest.h>

#include "raster/BlendMode.h"
#include "raster/BlurRegion.h"
#include "raster/ClearBitmap.h"
#include "raster/FillRectangle.h"
#include "raster/MemBitmap.h"
#include "tests/raster/BottomUpBitmap.h"

namespace {

Pixel FillOne(Pixel destination, Pixel colour, float opacity, int mode) {
  MemBitmap bitmap(1, 1);
  bitmap.Bits()[0] = destination;
  FillRectangle(&bitmap, 0, 0, 1, 1, colour, opacity, mode);
  return bitmap.Bits()[0];
}

TEST(FillRectangle, CopyShortcutsOnWholeWords) {
  EXPECT_EQ(FillOne(0xFFFFFFFF, 0x12345678, 1.0f, BLEND_COPY), 0x12345678u);
  EXPECT_EQ(FillOne(0x00000000, 0xFFFFFFFF, 0.5f, BLEND_COPY), 0x7F7F7F7Fu);
  // ia 64: half of 0x80 + a quarter of each.
  EXPECT_EQ(FillOne(0x80808080, 0xFFFFFFFF, 0.25f, BLEND_COPY), 0x9F9F9F9Fu);
  // ia 192: quarters of both plus half the colour.
  EXPECT_EQ(FillOne(0x80808080, 0xFFFFFFFF, 0.75f, BLEND_COPY), 0xDEDEDEDEu);
  // Source alpha: opacity x 128 / 255 gives ia 128, the halving shortcut, alpha byte included.
  EXPECT_EQ(FillOne(0x00000000, 0x80FFFFFF, 1.0f, BLEND_COPY | BLEND_USE_SOURCE_ALPHA),
            0x407F7F7Fu);
  EXPECT_EQ(FillOne(0x11223344, 0x00FFFFFF, 1.0f, BLEND_COPY | BLEND_USE_SOURCE_ALPHA),
            0x11223344u);
}

TEST(FillRectangle, KernelsTreatTheWeightAsTheColoursAlpha) {
  // Copy at ia 96: R -200 x 160 / 256 = -125, G -62, B 255 x 160 / 256 = 159,
  // A 96 + 159 x 160 / 256 = 195.
  EXPECT_EQ(FillOne(0xFF0000FF, 0x00C86400, 0.375f, BLEND_COPY), 0xC34B269Fu);
  // Add at ia 128: R 16 + 127, G 16 + 64, B 16 + 32, A 16 + 64.
  EXPECT_EQ(FillOne(0x10101010, 0x00FF8040, 0.5f, BLEND_ADD), 0x508F5030u);
  // Dodge at ia 256: R 128, G 64, B 85, alpha t = 256 -> 255.
  EXPECT_EQ(FillOne(0x40404040, 0x00800040, 1.0f, BLEND_DODGE), 0xFF804055u);
  // Multiply at ia 192: R 63, G 254, B 159, A 255 x 53248 / 65536 = 207.
  EXPECT_EQ(FillOne(0xFFFFFFFF, 0x0000FF80, 0.75f, BLEND_MULTIPLY), 0xCF3FFE9Fu);
  // Overlay at ia 64: R 143, G 112, B 128, A (s = 64) 120.
  EXPECT_EQ(FillOne(0x80808080, 0x00FF0080, 0.25f, BLEND_OVERLAY), 0x788F7080u);
  // HSV adjust with neutral amounts keeps red; alpha is the low byte of ia 256.
  EXPECT_EQ(FillOne(0xFFFF0000, 0x00808080, 1.0f, BLEND_HSV_ADJUST), 0x00FF0000u);
  EXPECT_EQ(FillOne(0x11223344, 0xFFFFFFFF, 1.0f, 6), 0x11223344u);
  EXPECT_EQ(FillOne(0x11223344, 0xFFFFFFFF, 0.0f, BLEND_ADD), 0x11223344u);
}

TEST(FillRectangle, ClipsAndHonoursBottomUp) {
  MemBitmap bitmap(4, 4);
  FillAll(bitmap, 0);
  FillRectangle(&bitmap, -2, -1, 4, 3, 0xFFFFFFFF, 1.0f, BLEND_COPY);
  FillRectangle(&bitmap, 3, 3, 2147483647, 2147483647, 0x01010101, 1.0f, BLEND_COPY);
  FillRectangle(&bitmap, -2147483647, 0, 5, 5, 0x02020202, 1.0f, BLEND_COPY);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const Pixel expected = x < 2 && y < 2 ? 0xFFFFFFFF : x == 3 && y == 3 ? 0x01010101 : 0;
      EXPECT_EQ(PixelAt(bitmap, x, y), expected) << x << "," << y;
    }
  BottomUpBitmap up(3, 4);
  FillRectangle(&up, 0, 1, 3, 2, 0xFF00FF00, 0.5f, BLEND_ADD);
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(PixelAt(up, 1, y), y == 1 || y == 2 ? 0x40007F00u : 0u) << y;
}

TEST(ClearBitmap, ZeroesTheImageButNotTheRowPadding) {
  MemBitmap bitmap(3, 2);
  for (int i = 0; i < bitmap.RowSpan() * 2; ++i)
    bitmap.Bits()[i] = 0xAAAAAAAA;
  ClearBitmap(&bitmap);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(PixelAt(bitmap, x, y), 0u);
    EXPECT_EQ(bitmap.Bits()[y * bitmap.RowSpan() + 3], 0xAAAAAAAAu);
  }
  MemBitmap empty;
  ClearBitmap(&empty);
  ClearBitmap(nullptr);
}

TEST(BlurRegion, UniformRegionLosesOnlyTheTruncation) {
  for (int width : {4, 1100}) {  // 1100: wider than the fixed row buffer
    MemBitmap bitmap(width, 4);
    FillAll(bitmap, 0xFFFFFFFF);
    BlurRegion(&bitmap, width, 4);
    EXPECT_EQ(PixelAt(bitmap, 1, 1), 0xFBFBFBFBu);  // 0x7F + 4 x 0x1F
    EXPECT_EQ(PixelAt(bitmap, 2, 2), 0xFBFBFBFBu);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), 0xFCFCFCFCu);  // 0x7F + 0x3F + 2 x 0x1F
    EXPECT_EQ(PixelAt(bitmap, 0, 2), 0xFCFCFCFCu);
    EXPECT_EQ(PixelAt(bitmap, width - 1, 3), 0xFDFDFDFDu);  // 0x7F + 2 x 0x3F
  }
  MemBitmap line(5, 1);
  FillAll(line, 0xFFFFFFFF);
  BlurRegion(&line, 5, 1);
  EXPECT_EQ(PixelAt(line, 2, 0), 0xFFFFFFFFu);
}

TEST(BlurRegion, ReadsUnfilteredNeighboursAndStaysInItsRegion) {
  for (bool bottomUp : {false, true}) {
    MemBitmap down(4, 4);
    BottomUpBitmap up(4, 4);
    RasterBitmap& bitmap = bottomUp ? static_cast<RasterBitmap&>(up) : down;
    FillAll(bitmap, 0);
    PixelAt(bitmap, 1, 1) = 0x80;
    PixelAt(bitmap, 3, 3) = 0xFFFFFFFF;  // outside the 3 x 3 region
    BlurRegion(&bitmap, 3, 3);
    const Pixel expected[3][3] = {{0, 0x20, 0}, {0x20, 0x40, 0x20}, {0, 0x20, 0}};
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(PixelAt(bitmap, x, y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(PixelAt(bitmap, 3, 3), 0xFFFFFFFFu);
  }
}

}  // namespace
