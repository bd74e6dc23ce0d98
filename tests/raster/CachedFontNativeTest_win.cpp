// The native way under real GDI, reached through the Wine-state seam: text drawn by DrawText
// into a bitmap's own context or through the text scratch, and measured by it; and the
// conditions that keep the glyph way. GDI's text leaves alpha 0 where it draws, the glyph way
// leaves 255: that tells the two ways apart.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "raster/CachedFont.h"
#include "raster/FontProcessState.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"
#include "tests/raster/BottomUpBitmap.h"
#include "tests/raster/TestFont.h"

namespace {

class NativeWay : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWineStateForTesting(0);
    font_.AttachSystemFont(MakeTestFont(14), FONT_OWNS_HANDLE | FONT_NATIVE);
    ASSERT_NE(font_.SystemFont(), nullptr);
    font_.SetForeColor(0xFFFFFFFF);
  }
  void TearDown() override { SetWineStateForTesting(-1); }

  // Draws into a bitmap filled with opaque black; counts light pixels of alpha 0 (GDI's) and
  // of alpha 255 (the glyph way's), and the leftmost light column.
  struct Ink {
    int native = 0, glyphs = 0, left = 1 << 30;
  };
  Ink Draw(RasterBitmap& bitmap, const char* text, RasterRect rect, uint32_t format = 0) {
    FillAll(bitmap, 0xFF000000);
    font_.DrawUtf8Text(&bitmap, text, -1, &rect, format);
    Ink ink;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) {
        const Pixel p = PixelAt(bitmap, x, y);
        if (((p >> 16) & 0xFF) < 128) continue;
        (p >> 24 == 0 ? ink.native : ink.glyphs) += 1;
        ink.left = std::min(ink.left, x);
      }
    return ink;
  }

  CachedFont font_;
};

TEST_F(NativeWay, DrawsThroughTheBitmapsOwnContextOrTheTextScratch) {
  SysBitmap withContext(80, 24);
  MemBitmap withoutContext(80, 24);
  for (RasterBitmap* bitmap :
       {static_cast<RasterBitmap*>(&withContext), static_cast<RasterBitmap*>(&withoutContext)}) {
    const Ink ink = Draw(*bitmap, "Hello", {0, 0, 80, 24});
    EXPECT_GT(ink.native, 10);
    EXPECT_EQ(ink.glyphs, 0);
  }
  // Through the scratch, alignment places the copied area: the text ends at the right edge.
  RasterRect size{0, 0, 0, 0};
  font_.DrawUtf8Text(nullptr, "Hello", -1, &size, TEXT_CALCRECT);
  EXPECT_GE(Draw(withoutContext, "Hello", {0, 0, 80, 24}, TEXT_RIGHT).left, 80 - size.right);
  // UTF-8 goes through the wide conversion; invalid UTF-8 is drawn as narrow text.
  EXPECT_GT(Draw(withoutContext, "W\xC3\xA9", {0, 0, 80, 24}).native, 10);
  EXPECT_GT(Draw(withContext, "W\xC3\xA9\xFF", {0, 0, 80, 24}).native, 10);
}

TEST_F(NativeWay, MeasuresLikeTheGlyphWay) {
  for (const char* text : {"hello", "W\xC3\xA9gy", "12.3 dB"}) {
    RasterRect native{5, 7, 0, 0}, glyphs{5, 7, 0, 0};
    const int height = font_.DrawUtf8Text(nullptr, text, -1, &native, TEXT_CALCRECT);
    font_.DrawUtf8Text(nullptr, text, -1, &glyphs, TEXT_CALCRECT | TEXT_FORCE_GLYPHS);
    EXPECT_EQ(height, font_.LineHeight()) << text;
    EXPECT_NEAR(native.right, glyphs.right, 1) << text;
    EXPECT_EQ(native.bottom, 7 + font_.LineHeight()) << text;
  }
}

TEST_F(NativeWay, GlyphWayWhenWineTranslucenceEffectsOrForced) {
  SysBitmap bitmap(80, 24);
  EXPECT_EQ(Draw(bitmap, "Hello", {0, 0, 80, 24}, TEXT_FORCE_GLYPHS).native, 0);
  EXPECT_EQ(Draw(bitmap, "Hello", {0, 0, 80, 24}, TEXT_ALPHA_FROM_COLOR).native, 0);
  SetWineStateForTesting(1);
  const Ink underWine = Draw(bitmap, "Hello", {0, 0, 80, 24});
  EXPECT_EQ(underWine.native, 0);
  EXPECT_GT(underWine.glyphs, 10);
  SetWineStateForTesting(0);
  CachedFont mono;
  mono.AttachSystemFont(MakeTestFont(14), FONT_OWNS_HANDLE | FONT_NATIVE | FONT_MONO);
  mono.SetForeColor(0xFFFFFFFF);
  FillAll(bitmap, 0xFF000000);
  RasterRect rect{0, 0, 80, 24};
  mono.DrawUtf8Text(&bitmap, "Hello", -1, &rect, 0);
  EXPECT_EQ(PixelAt(bitmap, 0, 0) >> 24, 0xFFu);
  bool anyInk = false;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 80; ++x)
      anyInk |= PixelAt(bitmap, x, y) == 0xFFFFFFFF;  // mono ink is the whole text colour
  EXPECT_TRUE(anyInk);
}

}  // namespace
