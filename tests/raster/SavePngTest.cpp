// PNG writing: bitmaps of either orientation round-trip through memory and UTF-8 named files
// with straight alpha intact; what cannot be written answers false.
#include <gtest/gtest.h>

#include <memory>

#include "raster/LoadPng.h"
#include "raster/MemBitmap.h"
#include "raster/SavePng.h"
#include "tests/raster/BottomUpBitmap.h"
#include "tests/raster/ScratchFolder.h"

namespace {

// Three columns, two rows; the alpha bytes are not premultiplied and must survive as they are.
constexpr Pixel kImage[2][3] = {{0xFF102030u, 0x00FFFFFFu, 0x80FF0000u},
                                {0x01020304u, 0xFFFFFFFFu, 0x7F00FF7Fu}};

template <typename Bitmap>
void Paint(Bitmap& bitmap) {
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      PixelAt(bitmap, x, y) = kImage[y][x];
}

void ExpectImage(RasterBitmap* bitmap) {
  ASSERT_NE(bitmap, nullptr);
  ASSERT_EQ(bitmap->Width(), 3);
  ASSERT_EQ(bitmap->Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(PixelAt(*bitmap, x, y), kImage[y][x]) << x << "," << y;
}

TEST(SavePng, BitmapsOfBothOrientationsRoundTripThroughMemory) {
  MemBitmap topDown(3, 2);
  BottomUpBitmap bottomUp(3, 2);
  Paint(topDown);
  Paint(bottomUp);
  RasterBitmap* sources[] = {&topDown, &bottomUp};
  for (RasterBitmap* source : sources) {
    std::vector<uint8_t> bytes{1, 2, 3};
    ASSERT_TRUE(SavePngMemory(*source, bytes));
    std::unique_ptr<MemBitmap> back(
        LoadPngMemory(bytes.data(), static_cast<int32_t>(bytes.size())));
    ExpectImage(back.get());
  }
}

TEST(SavePng, WritesUtf8NamedFiles) {
  ScratchFolder scratch;
  const auto path = scratch.Path() / std::filesystem::path(u8"bild-\u00e4.png");
  const auto u8 = path.u8string();
  const std::string name(u8.begin(), u8.end());
  MemBitmap bitmap(3, 2);
  Paint(bitmap);
  ASSERT_TRUE(SavePngFile(bitmap, name.c_str()));
  std::unique_ptr<RasterBitmap> back(LoadPngFile(name.c_str()));
  ExpectImage(back.get());
  EXPECT_FALSE(SavePngFile(bitmap, (scratch.Path() / "missing" / "x.png").string().c_str()));
  EXPECT_FALSE(SavePngFile(bitmap, nullptr));
}

TEST(SavePng, WhatCannotBeWrittenAnswersFalse) {
  MemBitmap empty;
  std::vector<uint8_t> bytes{1};
  EXPECT_FALSE(SavePngMemory(empty, bytes));
  EXPECT_TRUE(bytes.empty());
  ScratchFolder scratch;
  const std::string name = (scratch.Path() / "empty.png").string();
  EXPECT_FALSE(SavePngFile(empty, name.c_str()));
  // Rows shorter than the header claims, and a bit depth PNG does not have for RGB.
  EXPECT_TRUE(EncodePngRows(PngRows{.width = 2, .rows = {1, 2, 3, 4}}).empty());
  EXPECT_TRUE(
      EncodePngRows(PngRows{.bitDepth = 4, .colourType = PNG_COLOR_TYPE_RGB, .rows = {1, 2}})
          .empty());
}

}  // namespace
