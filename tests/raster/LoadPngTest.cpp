// PNG loading: every colour type and depth becomes straight-alpha Pixels; broken data, missing
// resources and files give null; the loader node's extension test.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "raster/ImageLoaderNode.h"
#include "raster/LoadPng.h"
#include "raster/SavePng.h"
#include "tests/raster/BottomUpBitmap.h"
#include "tests/raster/ScratchFolder.h"
#include "tests/raster/TestModule.h"

namespace {

std::unique_ptr<MemBitmap> Decode(const std::vector<uint8_t>& data) {
  return std::unique_ptr<MemBitmap>(LoadPngMemory(data.data(), static_cast<int32_t>(data.size())));
}

std::unique_ptr<MemBitmap> Decode(const PngRows& image) {
  return Decode(EncodePngRows(image));
}

TEST(LoadPngMemory, RgbaKeepsStraightAlpha) {
  PngRows image{.width = 2, .rows = {10, 20, 30, 40, 200, 100, 50, 0}};
  auto bitmap = Decode(image);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_EQ(bitmap->Width(), 2);
  ASSERT_EQ(bitmap->Height(), 1);
  EXPECT_EQ(bitmap->Bits()[0], 0x280A141Eu);
  EXPECT_EQ(bitmap->Bits()[1], 0x00C86432u);
}

TEST(LoadPngMemory, ColourTypesWithoutAlphaAreOpaque) {
  auto rgb = Decode(PngRows{.colourType = PNG_COLOR_TYPE_RGB, .rows = {10, 20, 30}});
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(rgb->Bits()[0], 0xFF0A141Eu);
  auto grey = Decode(PngRows{.colourType = PNG_COLOR_TYPE_GRAY, .rows = {77}});
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(grey->Bits()[0], 0xFF4D4D4Du);
  auto greyAlpha = Decode(PngRows{.colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .rows = {77, 128}});
  ASSERT_NE(greyAlpha, nullptr);
  EXPECT_EQ(greyAlpha->Bits()[0], 0x804D4D4Du);
}

TEST(LoadPngMemory, PaletteWithTransparencyChunk) {
  PngRows image{.width = 3,
                .bitDepth = 4,
                .colourType = PNG_COLOR_TYPE_PALETTE,
                .palette = {{255, 0, 0}, {0, 0, 255}, {1, 2, 3}},
                .transparency = {128},
                .rows = {0x01, 0x20}};  // indices 0, 1, 2
  auto bitmap = Decode(image);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Bits()[0], 0x80FF0000u);
  EXPECT_EQ(bitmap->Bits()[1], 0xFF0000FFu);
  EXPECT_EQ(bitmap->Bits()[2], 0xFF010203u);
}

TEST(LoadPngMemory, SixteenBitSamplesKeepTheirHighByte) {
  auto rgb = Decode(PngRows{.bitDepth = 16,
                            .colourType = PNG_COLOR_TYPE_RGB,
                            .rows = {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}});
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(rgb->Bits()[0], 0xFF12ABFFu);
  auto rgba =
      Decode(PngRows{.bitDepth = 16, .rows = {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00, 0x80, 0xFF}});
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(rgba->Bits()[0], 0x8012ABFFu);
}

TEST(LoadPngMemory, OneBitGreyGivesBlackAndWhite) {
  auto bitmap = Decode(PngRows{.width = 8,
                               .bitDepth = 1,
                               .colourType = PNG_COLOR_TYPE_GRAY,
                               .rows = {0xB0}});  // 1 0 1 1 0 0 0 0
  ASSERT_NE(bitmap, nullptr);
  const Pixel expected[8] = {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF,
                             0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(bitmap->Bits()[x], expected[x]) << x;
}

TEST(LoadPngMemory, InterlacedImageComesOutWhole) {
  PngRows image{.width = 9, .height = 9, .colourType = PNG_COLOR_TYPE_RGB, .interlaced = true};
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      image.rows.insert(image.rows.end(),
                        {static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 20),
                         static_cast<uint8_t>(x + y)});
  auto bitmap = Decode(image);
  ASSERT_NE(bitmap, nullptr);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(PixelAt(*bitmap, x, y),
                0xFF000000u | (x * 20u) << 16 | (y * 20u) << 8 | static_cast<unsigned>(x + y));
}

TEST(LoadPngMemory, BrokenDataGivesNull) {
  PngRows image{.width = 16, .height = 16, .colourType = PNG_COLOR_TYPE_GRAY};
  for (int i = 0; i < 256; ++i)
    image.rows.push_back(static_cast<uint8_t>(i * 7));
  const auto good = EncodePngRows(image);
  ASSERT_NE(Decode(good), nullptr);
  // Truncated inside the image data: libpng fails during the row reads.
  EXPECT_EQ(Decode(std::vector<uint8_t>(good.begin(), good.begin() + good.size() - 30)), nullptr);
  EXPECT_EQ(Decode(std::vector<uint8_t>(good.begin(), good.begin() + 20)), nullptr);
  auto corrupt = good;
  corrupt[corrupt.size() - 20] ^= 0x55;  // inside the data chunk: CRC error
  EXPECT_EQ(Decode(corrupt), nullptr);
  auto badSignature = good;
  badSignature[1] = 'Q';
  EXPECT_EQ(Decode(badSignature), nullptr);
  EXPECT_EQ(Decode(std::vector<uint8_t>(good.begin(), good.begin() + 8)), nullptr);
  EXPECT_EQ(LoadPngMemory(good.data(), 7), nullptr);
  EXPECT_EQ(LoadPngMemory(nullptr, 100), nullptr);
}

TEST(LoadPngResource, FindsTheModulesImagesById) {
  std::unique_ptr<MemBitmap> bitmap(LoadPngResource(TestModule(), 101));
  ASSERT_NE(bitmap, nullptr);
  ASSERT_EQ(bitmap->Width(), 2);
  ASSERT_EQ(bitmap->Height(), 2);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0x8000FF00u);
  EXPECT_EQ(PixelAt(*bitmap, 0, 1), 0x000000FFu);
  EXPECT_EQ(PixelAt(*bitmap, 1, 1), 0x40FFFFFFu);
  EXPECT_EQ(LoadPngResource(TestModule(), 102), nullptr);  // the signature alone
  EXPECT_EQ(LoadPngResource(TestModule(), 103), nullptr);  // 7 bytes
  EXPECT_EQ(LoadPngResource(TestModule(), 199), nullptr);
}

class LoadPngFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchFolder>();
    directory_ = scratch_->Path();
    path_ = directory_ / std::filesystem::path(u8"bild-\u00e4.png");
    const auto bytes = EncodePngRows(PngRows{.width = 2,
                                             .height = 2,
                                             .colourType = PNG_COLOR_TYPE_RGB,
                                             .rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}});
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  void TearDown() override { scratch_.reset(); }
  std::string Utf8Name() const {
    const auto text = path_.u8string();
    return std::string(text.begin(), text.end());
  }
  std::unique_ptr<ScratchFolder> scratch_;
  std::filesystem::path directory_, path_;
};

TEST_F(LoadPngFileTest, ReadsUtf8NamesIntoNewOrGivenBitmaps) {
  std::unique_ptr<RasterBitmap> fresh(LoadPngFile(Utf8Name().c_str()));
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(PixelAt(*fresh, 0, 0), 0xFF010203u);
  EXPECT_EQ(PixelAt(*fresh, 1, 1), 0xFF0A0B0Cu);
  BottomUpBitmap given(5, 5);
  EXPECT_EQ(LoadPngFile(Utf8Name().c_str(), &given), &given);
  ASSERT_EQ(given.Width(), 2);
  EXPECT_EQ(PixelAt(given, 0, 0), 0xFF010203u);
  EXPECT_EQ(PixelAt(given, 1, 0), 0xFF040506u);
  EXPECT_EQ(PixelAt(given, 0, 1), 0xFF070809u);
  EXPECT_EQ(LoadPngFile((Utf8Name() + "-missing").c_str()), nullptr);
}

// The node's extension test compares the name's last component, from '.', '/' or '\\', with
// ".png" ignoring case; the file itself is the same PNG under every name.
TEST_F(LoadPngFileTest, LoaderNodeTestsTheExtension) {
  RegisterPngLoader();
  RegisterPngLoader();
  ImageLoaderNode* node = ImageLoaders();
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->next, nullptr);
  EXPECT_STREQ(node->description(), "PNG files (*.PNG)");
  std::unique_ptr<RasterBitmap> loaded(node->load(Utf8Name().c_str(), true, nullptr));
  EXPECT_NE(loaded, nullptr);
  std::filesystem::create_directory(directory_ / "d.png");
  const struct {
    const char* name;
    bool loads;
  } cases[] = {{"Image.PnG", true},
               {"image.PNG.bak", false},
               {"x.pngs", false},
               {"d.png/file", false},
               {"png", false}};
  for (const auto& c : cases) {
    const std::string name = directory_.string() + "/" + c.name;
    std::filesystem::copy_file(path_, name);
    std::unique_ptr<RasterBitmap> checked(node->load(name.c_str(), true, nullptr));
    EXPECT_EQ(checked != nullptr, c.loads) << c.name;
    std::unique_ptr<RasterBitmap> unchecked(node->load(name.c_str(), false, nullptr));
    EXPECT_NE(unchecked, nullptr) << c.name;
  }
}

}  // namespace
