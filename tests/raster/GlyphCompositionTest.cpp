// Glyph composition on known coverage: every blend operation for antialiased, mono and
// shadow/outline fonts at opacities 1.0, 0.5 and 2.0, the opaque background per glyph box and
// the clip. Expected bytes are worked by hand for a grey destination (every byte 128).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

#include "raster/BlendMode.h"
#include "raster/CachedFont.h"
#include "raster/GlyphComposition.h"
#include "raster/MemBitmap.h"
#include "tests/raster/BottomUpBitmap.h"

namespace {

constexpr Pixel kGrey = 0x80808080;
// Text colour bytes B, G, R = 0, 64, 255 (alpha 0: only the whole-word copies carry it); the
// accent holds the same three byte values in another order, B, G, R = 255, 0, 64.
constexpr Pixel kText = 0x00FF4000;
constexpr Pixel kAccent = 0x004000FF;
constexpr int kGlyph = 0x100;

// Result bytes on a 128 destination for a colour byte of 0, 64 and 255, and for the alpha byte,
// at weight k.
struct Bytes {
  int s0, s64, s255, alpha;
};
using WeightTable = std::map<int, Bytes>;

const std::map<int, WeightTable> kByOperation = {
    {BLEND_COPY,
     {{256, {0, 64, 255, 255}},
      {128, {64, 96, 192, 192}},
      {127, {64, 96, 192, 192}},
      {63, {96, 112, 160, 160}},
      {254, {1, 64, 255, 255}}}},
    {BLEND_ADD,
     {{256, {128, 192, 255, 255}},
      {128, {128, 160, 255, 255}},
      {127, {128, 159, 254, 254}},
      {63, {128, 143, 190, 190}},
      {254, {128, 191, 255, 255}}}},
    {BLEND_DODGE,
     {{256, {128, 170, 255, 255}},
      {128, {128, 146, 254, 254}},
      {127, {128, 145, 252, 252}},
      {63, {128, 135, 168, 168}},
      {254, {128, 169, 255, 255}}}},
    {BLEND_MULTIPLY,
     {{256, {0, 32, 127, 127}},
      {128, {64, 80, 127, 127}},
      {127, {64, 80, 127, 127}},
      {63, {96, 104, 127, 127}},
      {254, {1, 32, 127, 127}}}},
    {BLEND_OVERLAY,
     {{256, {64, 96, 191, 191}},
      {128, {96, 112, 159, 159}},
      {127, {96, 112, 159, 159}},
      {63, {112, 120, 143, 143}},
      {254, {64, 96, 191, 191}}}},
};

int ByteFor(const Bytes& b, int s) {
  return s == 0 ? b.s0 : s == 64 ? b.s64 : b.s255;
}

// The destination pixel after combining `colour` (bytes from {0, 64, 255}) at weight k.
Pixel Expected(int operation, Pixel colour, int k) {
  const Bytes& b = kByOperation.at(operation).at(k);
  return static_cast<Pixel>(b.alpha) << 24 | ByteFor(b, (colour >> 16) & 0xFF) << 16 |
         ByteFor(b, (colour >> 8) & 0xFF) << 8 | ByteFor(b, colour & 0xFF);
}

struct Font {
  CachedFont font;
  explicit Font(uint32_t flags, const std::vector<uint8_t>& coverage, int mode, float opacity) {
    font.AttachSystemFont(nullptr, flags);
    font.SetForeColor(kText);
    font.SetAccentColor(kAccent);
    font.SetBlend(mode, opacity);
    EXPECT_TRUE(font.InjectGlyphForTesting(kGlyph, static_cast<int>(coverage.size()), 1, 1,
                                           coverage.data()));
  }
};

// Draws a one-row glyph at (1, 1) of a grey 6 x 3 bitmap and answers row 1, columns 1 on.
std::vector<Pixel> DrawRow(uint32_t flags, const std::vector<uint8_t>& coverage, int mode,
                           float opacity) {
  Font f(flags, coverage, mode, opacity);
  MemBitmap bitmap(6, 3);
  std::fill_n(bitmap.Bits(), bitmap.RowSpan() * 3, kGrey);
  EXPECT_TRUE(f.font.DrawGlyph(&bitmap, kGlyph, 1, 1, RasterRect{0, 0, 6, 3}));
  std::vector<Pixel> row;
  for (size_t x = 0; x < coverage.size(); ++x)
    row.push_back(bitmap.Bits()[bitmap.RowSpan() + 1 + static_cast<int>(x)]);
  EXPECT_EQ(bitmap.Bits()[0], kGrey);  // outside the box
  return row;
}

TEST(GlyphComposition, EveryOperationKindAndOpacity) {
  const std::vector<uint8_t> antialiased{255, 127, 0}, mono{255, 0}, twoColour{255, 128, 0};
  for (const auto& [operation, table] : kByOperation) {
    SCOPED_TRACE(operation);
    // Antialiased: k = c + 1 at A = 256, else min(A x c / 256, 256).
    EXPECT_EQ(DrawRow(0, antialiased, operation, 1.0f),
              (std::vector<Pixel>{Expected(operation, kText, 256), Expected(operation, kText, 128),
                                  kGrey}));
    EXPECT_EQ(DrawRow(0, antialiased, operation, 0.5f),
              (std::vector<Pixel>{Expected(operation, kText, 127), Expected(operation, kText, 63),
                                  kGrey}));
    EXPECT_EQ(DrawRow(0, antialiased, operation, 2.0f),
              (std::vector<Pixel>{Expected(operation, kText, 256), Expected(operation, kText, 254),
                                  kGrey}));
    // Mono, shadow and outline: k = A limited to 256; copies at exactly 1.0 store whole words.
    const bool wholeWords = operation == BLEND_COPY;
    EXPECT_EQ(DrawRow(FONT_MONO, mono, operation, 1.0f),
              (std::vector<Pixel>{wholeWords ? kText : Expected(operation, kText, 256), kGrey}));
    EXPECT_EQ(DrawRow(FONT_MONO, mono, operation, 0.5f),
              (std::vector<Pixel>{Expected(operation, kText, 128), kGrey}));
    EXPECT_EQ(DrawRow(FONT_MONO, mono, operation, 2.0f),
              (std::vector<Pixel>{Expected(operation, kText, 256), kGrey}));
    for (uint32_t effect : {FONT_SHADOW, FONT_OUTLINE}) {
      EXPECT_EQ(
          DrawRow(effect, twoColour, operation, 1.0f),
          (std::vector<Pixel>{wholeWords ? kText : Expected(operation, kText, 256),
                              wholeWords ? kAccent : Expected(operation, kAccent, 256), kGrey}));
      EXPECT_EQ(DrawRow(effect, twoColour, operation, 0.5f),
                (std::vector<Pixel>{Expected(operation, kText, 128),
                                    Expected(operation, kAccent, 128), kGrey}));
      EXPECT_EQ(DrawRow(effect | FONT_MONO, twoColour, operation, 2.0f),
                (std::vector<Pixel>{Expected(operation, kText, 256),
                                    Expected(operation, kAccent, 256), kGrey}));
    }
  }
}

TEST(GlyphComposition, HsvAdjustOpaquesAndOtherOperationsDrawNoInk) {
  // A grey text colour shifts nothing: only the alpha byte becomes 255, and only under ink.
  Font hsv(0, {255, 100, 0}, BLEND_HSV_ADJUST, 1.0f);
  hsv.font.SetForeColor(0x00808080);
  BottomUpBitmap bitmap(4, 2);
  FillAll(bitmap, 0x10666666);
  EXPECT_TRUE(hsv.font.DrawGlyph(&bitmap, kGlyph, 0, 1, RasterRect{0, 0, 4, 2}));
  EXPECT_EQ(PixelAt(bitmap, 0, 1), 0xFF666666u);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), 0xFF666666u);
  EXPECT_EQ(PixelAt(bitmap, 2, 1), 0x10666666u);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0x10666666u);  // bottom-up rows addressed by image row
  // Channel copies (above HSV adjust) draw no ink; zero and negative opacities draw nothing.
  for (auto [mode, opacity] : {std::pair{BLEND_CHANNEL_COPY, 1.0f},
                               {BLEND_ADD, 0.0f},
                               {BLEND_COPY, -1.0f},
                               {BLEND_MULTIPLY, -0.5f}}) {
    Font none(0, {255}, mode, opacity);
    FillAll(bitmap, kGrey);
    none.font.DrawGlyph(&bitmap, kGlyph, 0, 0, RasterRect{0, 0, 4, 2});
    EXPECT_EQ(PixelAt(bitmap, 0, 0), kGrey) << mode << " " << opacity;
  }
}

TEST(GlyphComposition, OpaqueBackgroundFillsTheClippedBoxThenInks) {
  // A 3 x 2 glyph at (-1, 1) clipped by (0, 0, 5, 2): one column and one row are cut.
  Font f(0, {0, 255, 0, 9, 9, 9}, BLEND_COPY, 1.0f);
  f.font.InjectGlyphForTesting(kGlyph, 3, 2, 3, std::vector<uint8_t>{0, 0, 255, 9, 9, 9}.data());
  f.font.SetBackMode(TEXT_OPAQUE);
  f.font.SetBackColor(0xFF0000FF);
  MemBitmap bitmap(5, 3);
  std::fill_n(bitmap.Bits(), bitmap.RowSpan() * 3, kGrey);
  EXPECT_TRUE(f.font.DrawGlyph(&bitmap, kGlyph, -1, 1, RasterRect{0, 0, 5, 2}));
  const Pixel* row0 = bitmap.Bits();
  const Pixel* row1 = row0 + bitmap.RowSpan();
  const Pixel* row2 = row1 + bitmap.RowSpan();
  EXPECT_EQ(row0[0], kGrey);
  EXPECT_EQ(row1[0], 0xFF0000FFu);  // background, no coverage
  EXPECT_EQ(row1[1], 0xFFFF4000u);  // full coverage over it
  EXPECT_EQ(row1[2], kGrey);        // right of the box
  EXPECT_EQ(row2[0], kGrey);        // the glyph's second row is clipped
  EXPECT_FALSE(f.font.DrawGlyph(&bitmap, kGlyph, 2, 2, RasterRect{0, 0, 5, 2}));
  EXPECT_FALSE(f.font.DrawGlyph(&bitmap, kGlyph, -3, 0, RasterRect{0, 0, 5, 2}));
  EXPECT_FALSE(f.font.DrawGlyph(&bitmap, 'q', 0, 0, RasterRect{0, 0, 5, 2}));  // not rendered
  // The fill ignores the source-alpha bit (a clear background colour still fills at the
  // font's opacity): half of 0x000000FF over grey is 0x404040BF.
  f.font.SetBlend(BLEND_COPY | BLEND_USE_SOURCE_ALPHA, 0.5f);
  f.font.SetBackColor(0x000000FF);
  EXPECT_TRUE(f.font.DrawGlyph(&bitmap, kGlyph, 2, 0, RasterRect{0, 0, 5, 3}));
  EXPECT_EQ(row0[2], 0x404040BFu);
  // Operations above HSV adjust draw no ink, yet the background is still filled.
  f.font.SetBlend(BLEND_HSV_ADJUST + 1, 1.0f);
  f.font.SetBackColor(0xFF00FF00);
  EXPECT_TRUE(f.font.DrawGlyph(&bitmap, kGlyph, 0, 2, RasterRect{0, 0, 5, 3}));
  EXPECT_EQ(row2[0], kGrey);  // FillRectangle knows no such operation either
}

TEST(GlyphComposition, FastKernelsGiveTheExactBytes) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const int columns = 1 + static_cast<int>(random() % 19), rows = 1 + random() % 5;
    std::vector<uint8_t> coverage(static_cast<size_t>(columns) * rows);
    for (uint8_t& c : coverage) {
      const uint32_t r = random();
      c = static_cast<uint8_t>(r % 3 == 0 ? 0 : r % 3 == 1 ? 255 : r >> 8);
    }
    MemBitmap fast(24, 6), exact(24, 6);
    for (int i = 0; i < fast.RowSpan() * 6; ++i)
      fast.Bits()[i] = exact.Bits()[i] = random();
    const GlyphPaint paint{static_cast<Pixel>(random()), 0, BLEND_COPY, 1.0f,
                           GlyphKind::kAntialiased};
    const CoverageBlock block{coverage.data(), columns, static_cast<int>(random() % 5), 1,
                              columns,         rows};
    ComposeCoverage(&fast, block, paint, true);
    ComposeCoverage(&exact, block, paint, false);
    ASSERT_EQ(std::vector<Pixel>(fast.Bits(), fast.Bits() + fast.RowSpan() * 6),
              std::vector<Pixel>(exact.Bits(), exact.Bits() + exact.RowSpan() * 6))
        << round;
  }
}

}  // namespace
