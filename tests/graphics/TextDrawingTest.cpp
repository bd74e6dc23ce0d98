// Text drawing: the style's colour and format word, the placement arithmetic of measuring, the
// font cache's key, and real text reaching the canvas.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "graphics/FontCache.h"
#include "graphics/ITextControl.h"
#include "raster/LoadPng.h"
#include "raster/RasterFont.h"
#include "tests/graphics/EditorTestSupport.h"

namespace {

// Measures every text as 41 x 14 and records what it was asked.
class FakeFont : public RasterFont {
 public:
  void AttachSystemFont(SystemFontHandle, uint32_t) override {}
  Pixel SetForeColor(Pixel colour) override { return colour_ = colour; }
  Pixel SetBackColor(Pixel) override { return 0; }
  Pixel SetAccentColor(Pixel) override { return 0; }
  int SetBackMode(int) override { return 0; }
  void SetBlend(int, float) override {}
  int DrawUtf8Text(RasterBitmap*, const char*, int, RasterRect* rect, uint32_t format) override {
    format_ = format;
    if (format & TEXT_CALCRECT) *rect = {0, 0, 41, 14};
    drawnAt_ = *rect;
    return 14;
  }
  Pixel ForeColor() override { return colour_; }
  SystemFontHandle SystemFont() override { return nullptr; }
  int LineHeight() override { return 14; }

  Pixel colour_ = 0;
  uint32_t format_ = 0;
  RasterRect drawnAt_{};
};

TEST(StyledText, ColourFormatAndMeasuredPlacement) {
  EditorTestEffect effect;
  TestEditor editor{&effect};
  editor.PrepareDrawing();
  FakeFont font;
  ITextStyle style;
  style.cachedFont = &font;
  const struct {
    int32_t alignment, alpha;
    uint32_t format;
    IBounds measured;
  } cases[] = {
      {ITextStyle::Centre, 255, TEXT_NOCLIP | TEXT_CENTER, {110, 10, 151, 24}},
      {ITextStyle::Near, 128, TEXT_NOCLIP | TEXT_ALPHA_FROM_COLOR, {100, 10, 141, 24}},
      {ITextStyle::Far, 255 + 256, TEXT_NOCLIP | TEXT_RIGHT, {119, 10, 160, 24}},  // low byte 255
      {7, 0, TEXT_NOCLIP | TEXT_ALPHA_FROM_COLOR | TEXT_RIGHT, {119, 10, 160, 24}},
  };
  for (const auto& c : cases) {
    style.alignment = c.alignment;
    style.colour = {c.alpha, 0x112, 0x34, 0x56};
    IBounds area{100, 10, 160, 30};
    EXPECT_TRUE(editor.DrawStyledText(&style, "x", &area, false));
    EXPECT_EQ(area, (IBounds{100, 10, 160, 30}));  // drawing leaves the area alone
    EXPECT_EQ(font.format_, c.format) << c.alignment;
    EXPECT_EQ(font.colour_, (static_cast<Pixel>(c.alpha & 0xFF) << 24) | 0x123456u);
    EXPECT_EQ(font.drawnAt_.right, 160);
    EXPECT_TRUE(editor.MeasureStyledText(&style, "x", &area));
    EXPECT_EQ(font.format_, c.format | TEXT_CALCRECT);
    EXPECT_EQ(area, c.measured) << c.alignment;
  }
  // An odd sum: (101 + 160) x 0.5 = 130.5 truncates to 130, minus 41 / 2 = 20.
  style.alignment = ITextStyle::Centre;
  IBounds odd{101, 0, 160, 30};
  editor.MeasureStyledText(&style, "x", &odd);
  EXPECT_EQ(odd, (IBounds{110, 0, 151, 14}));
}

TEST(StyledText, FontsAreSharedByKeyAndFaceCaseMatters) {
  FontCache& cache = ModuleFontCache();
  const int before = cache.NEntries();
  EditorTestEffect effect;
  TestEditor editor{&effect};
  ITextStyle style;
  style.size = 31;  // a size no other test uses
  IBounds area{0, 0, 10, 10};
  EXPECT_TRUE(editor.DrawStyledText(&style, "", &area, false));  // empty: no font made
  EXPECT_EQ(style.cachedFont, nullptr);

  RasterFont* font = FindOrCreateFont(&style);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(style.cachedFont, font);
  ITextStyle other = style;  // colour, alignment and quality are no part of the key
  other.cachedFont = nullptr;
  other.colour = {128, 255, 0, 0};
  other.alignment = ITextStyle::Far;
  other.quality = ITextStyle::NotAntialiased;
  EXPECT_EQ(FindOrCreateFont(&other), font);
  ITextStyle lower = other;
  lower.cachedFont = nullptr;
  lower.SetFace("verdana");
  RasterFont* second = FindOrCreateFont(&lower);
  EXPECT_NE(second, nullptr);
  EXPECT_NE(second, font);
  ITextStyle bold = other;
  bold.cachedFont = nullptr;
  bold.style = ITextStyle::Bold;
  EXPECT_NE(FindOrCreateFont(&bold), font);
  EXPECT_EQ(cache.NEntries(), before + 3);
}

TEST(StyledText, TextControlsDrawInkInsideTheirArea) {
  EditorTestEffect effect;
  TestEditor editor{&effect};
  editor.AddBackground(kBackgroundId, "background.png");
  ITextStyle style;
  style.size = 14;
  style.colour = {255, 255, 255, 255};
  auto* text = new ITextControl(&effect, {4, 16, 60, 32}, style);
  editor.AddControl(text);
  text->SetTextFromPlugin("-6.0 dB");
  editor.PrepareDrawing();
  editor.RedrawAll();
  int ink = 0, outside = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      if (editor.At(x, y) == kBlue) continue;
      const bool inside = x >= 4 && x < 60 && y >= 16 && y < 32;
      (inside ? ink : outside)++;
    }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(outside, 0);

  const std::string file =
      (std::filesystem::temp_directory_path() / "ferrix-editor-text.png").string();
  ASSERT_TRUE(editor.SaveCanvasPng(file.c_str()));
  std::unique_ptr<RasterBitmap> back(LoadPngFile(file.c_str()));
  std::remove(file.c_str());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 64);
  EXPECT_EQ(back->Bits()[0], kBlue);
}

}  // namespace
