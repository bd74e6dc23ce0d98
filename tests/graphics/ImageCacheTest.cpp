// The module-wide image cache: keys, the extension rule, null entries, lazy decoding.
#include <gtest/gtest.h>

#include <memory>

#include "graphics/ImageCache.h"
#include "graphics/ModuleImage.h"
#include "raster/LazyPngBitmap.h"
#include "raster/MemBitmap.h"
#include "tests/graphics/EditorTestSupport.h"

namespace {

TEST(ImageCache, LookupsFindTheFirstEntryForAnIdNullIncluded) {
  ImageCache cache;
  RasterBitmap* found = nullptr;
  EXPECT_FALSE(cache.Lookup(7, &found));
  EXPECT_EQ(cache.Insert(nullptr, 7), nullptr);
  found = reinterpret_cast<RasterBitmap*>(&cache);
  EXPECT_TRUE(cache.Lookup(7, &found));
  EXPECT_EQ(found, nullptr);
  auto* first = new MemBitmap(1, 1);
  cache.Insert(first, 8);
  cache.Insert(new MemBitmap(2, 2), 8);  // a racing second creator: kept, never answered
  EXPECT_TRUE(cache.Lookup(8, &found));
  EXPECT_EQ(found, first);
  EXPECT_EQ(cache.NEntries(), 3);
}

TEST(ImageCache, TheExtensionSelectsTheDecoder) {
  const struct {
    const char* name;
    bool png;
  } cases[] = {{"resources/img/knob.png", true},
               {"KNOB.PNG", true},
               {"a.pNg", true},
               {".png", false},
               {"png", false},
               {"knob.bmp", false},
               {"a.png.bmp", false},
               {"dir.png/knob", false},
               {"a.pngx", false},
               {"", false},
               {nullptr, false}};
  for (const auto& c : cases)
    EXPECT_EQ(HasPngExtension(c.name), c.png) << (c.name ? c.name : "null");
}

TEST(ImageCache, LoadImageSharesBitmapsByIdAndCachesFailures) {
  EditorTestEffect effect;
  TestEditor editor{&effect};
  // The same id under another name (even a BMP one) is the bitmap already cached.
  const IImage knob = editor.LoadImage(kKnobId, "resources/img/knob.png", 4);
  EXPECT_EQ(editor.LoadImage(kKnobId, "elsewhere.bmp", 2).bitmap, knob.bitmap);
  EXPECT_EQ(knob.width, 10);
  EXPECT_EQ(knob.height, 40);
  EXPECT_EQ(knob.FrameHeight(), 10);
  EXPECT_NE(editor.LoadImage(205, "RESOURCES/IMG/KNOB.PNG", 4).bitmap, nullptr);
  // A BMP name finds no decoder: null, cached, so the PNG name later is never tried.
  const IImage bmp = editor.LoadImage(204, "knob.bmp", 4);
  EXPECT_EQ(bmp.bitmap, nullptr);
  EXPECT_EQ(bmp.frameCount, 4);
  EXPECT_EQ(editor.LoadImage(204, "knob.png", 4).bitmap, nullptr);
}

TEST(ImageCache, PixelsAreDecodedAtTheFirstRedrawPassOnly) {
  EditorTestEffect effect;
  TestEditor editor{&effect};
  const IImage image = editor.LoadImage(206, "knob.png", 4);
  auto* lazy = dynamic_cast<LazyPngBitmap*>(image.bitmap);
  auto* notDrawn = dynamic_cast<LazyPngBitmap*>(editor.LoadImage(203, "strip.png", 3).bitmap);
  ASSERT_NE(lazy, nullptr);
  ASSERT_NE(notDrawn, nullptr);
  EXPECT_EQ(image.width, 10);  // from the header
  EXPECT_FALSE(lazy->IsDecoded());
  editor.AddBackground(206, "knob.png");
  editor.PrepareDrawing();
  EXPECT_FALSE(lazy->IsDecoded());
  // The first pass decodes every image of the module at once (on two threads), drawn or not.
  editor.RedrawAll();
  EXPECT_TRUE(lazy->IsDecoded());
  EXPECT_TRUE(notDrawn->IsDecoded());
  EXPECT_EQ(notDrawn->Height(), 3500);
  EXPECT_EQ(editor.At(0, 0), kRed);
  EXPECT_EQ(editor.At(9, 9), 0x00FF0000u);  // copied as it is: the clear half stays clear

  // Bytes with no PNG header give no bitmap at all.
  const unsigned char notPng[24] = {0x89, 'P', 'N', 'G'};
  EXPECT_EQ(LazyPngBitmap::Create(notPng, sizeof notPng), nullptr);
}

}  // namespace
