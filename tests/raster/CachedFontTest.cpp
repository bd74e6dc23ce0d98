// Cached fonts over a real font (DejaVu Sans): the glyph cache and its flags, UTF-8 walking,
// measuring, alignment, clipping, opaque boxes and the per-call opacity, asserting only what
// holds for any sane font (sums of advances, widths of W and i, equal digits).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "raster/BlendMode.h"
#include "raster/CachedFont.h"
#include "raster/MemBitmap.h"
#include "tests/raster/BottomUpBitmap.h"
#include "tests/raster/TestFont.h"

namespace {

constexpr int kHeight = 14;

std::unique_ptr<CachedFont> Font(uint32_t flags = FONT_OWNS_HANDLE, int quality = 0) {
  auto font = std::make_unique<CachedFont>();
  SystemFontHandle handle = MakeTestFont(kHeight, quality);
  EXPECT_NE(handle, nullptr);
  font->AttachSystemFont(handle, flags | FONT_OWNS_HANDLE);
  return font;
}

RasterRect Measure(CachedFont& font, const char* text, int count = -1, uint32_t format = 0,
                   int* result = nullptr) {
  RasterRect r{10, 20, -5, -5};
  const int answer = font.DrawUtf8Text(nullptr, text, count, &r, TEXT_CALCRECT | format);
  if (result) *result = answer;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};  // width and height
}

// The advance of one character (0 for one that is skipped).
int Advance(CachedFont& font, int code) {
  const GlyphRecord* g = font.FindGlyph(code);
  if (!g || g->dataPosition == 0) {
    font.RenderGlyph(code);
    g = font.FindGlyph(code);
  }
  return g && g->dataPosition > 0 ? g->advance : 0;
}

std::vector<uint8_t> CoverageOf(CachedFont& font, int code) {
  Advance(font, code);
  const GlyphRecord* g = font.FindGlyph(code);
  const uint8_t* bytes = g ? font.Coverage(*g) : nullptr;
  if (!bytes) return {};
  return std::vector<uint8_t>(bytes, bytes + g->width * g->height);
}

TEST(CachedFont, StartsEmptyAndSettersAnswerThePreviousValue) {
  CachedFont font;
  EXPECT_EQ(font.ForeColor(), 0u);
  EXPECT_EQ(font.SystemFont(), nullptr);
  EXPECT_EQ(font.LineHeight(), 0);
  EXPECT_EQ(font.SetForeColor(0x12345678), 0u);
  EXPECT_EQ(font.ForeColor(), 0x12345678u);
  EXPECT_EQ(font.SetBackColor(1), 0xFFFFFFFFu);
  EXPECT_EQ(font.SetAccentColor(2), 0xFFFFFFFFu);
  EXPECT_EQ(font.SetBackMode(TEXT_OPAQUE), TEXT_TRANSPARENT);
  EXPECT_EQ(font.FindGlyph(0x100), nullptr);
  ASSERT_NE(font.FindGlyph('a'), nullptr);
  EXPECT_EQ(font.FindGlyph('a')->dataPosition, 0);
  RasterRect r{0, 0, 5, 5};
  EXPECT_EQ(font.DrawUtf8Text(nullptr, "a", -1, &r, 0), 0);  // no bitmap, not measuring
}

TEST(CachedFont, GlyphsFollowTheFontsMetrics) {
  auto font = Font();
  const int lh = font->LineHeight();
  EXPECT_NEAR(lh, kHeight, 1);
  EXPECT_GT(Advance(*font, 'W'), Advance(*font, 'i'));
  for (char digit = '1'; digit <= '9'; ++digit)
    EXPECT_EQ(Advance(*font, digit), Advance(*font, '0')) << digit;
  // Capitals are cached 2 pixels wider than their advance; small letters are not.
  EXPECT_EQ(font->FindGlyph('W')->width, font->FindGlyph('W')->advance + 2);
  Advance(*font, 'w');
  EXPECT_EQ(font->FindGlyph('w')->width, font->FindGlyph('w')->advance);
  EXPECT_EQ(font->FindGlyph('w')->height, lh);
  // Ink: W reaches neither the cell's top row nor below the baseline that g goes under.
  auto inkRows = [&](int code) {
    const auto bytes = CoverageOf(*font, code);
    const int w = font->FindGlyph(code)->width;
    int first = lh, last = -1;
    for (int i = 0; i < static_cast<int>(bytes.size()); ++i)
      if (bytes[i] > 64) first = std::min(first, i / w), last = std::max(last, i / w);
    return std::pair{first, last};
  };
  const auto [wTop, wBottom] = inkRows('W');
  const auto [gTop, gBottom] = inkRows('g');
  EXPECT_GT(wTop, 0);
  EXPECT_GT(gBottom, wBottom);
  EXPECT_GT(gTop, wTop);
  EXPECT_LT(gBottom, lh);
  // Not antialiased: only 0 and 255.
  auto mono = Font(0, 3);
  for (uint8_t b : CoverageOf(*mono, 'a'))
    EXPECT_TRUE(b == 0 || b == 255) << int{b};
}

TEST(CachedFont, MeasuringSumsAdvancesAndStepsLines) {
  auto font = Font();
  const int lh = font->LineHeight();
  auto adv = [&](const char* s) {
    int sum = 0;
    for (; *s; ++s)
      sum += Advance(*font, static_cast<unsigned char>(*s));
    return sum;
  };
  int result = -1;
  RasterRect m = Measure(*font, "hello", -1, 0, &result);
  EXPECT_EQ(m.right, adv("hello"));
  EXPECT_EQ(m.bottom, lh);
  EXPECT_EQ(result, lh);
  m = Measure(*font, "", -1, 0, &result);
  EXPECT_EQ(m.right, 0);
  EXPECT_EQ(m.bottom, 0);
  EXPECT_EQ(result, 0);
  m = Measure(*font, nullptr, -1, 0, &result);
  EXPECT_EQ(m.right + m.bottom + result, 0);
  struct Case {
    const char* text;
    int count;
    uint32_t format;
    int width;
    int height;
  } cases[] = {
      {"ab\ncd", -1, TEXT_SINGLELINE, adv("ab cd"), lh},  // a line feed is a space
      {"ab\ncd", -1, 0, std::max(adv("ab"), adv("cd")), 2 * lh},
      {"abcd\ncd", -1, 0, adv("abcd"), 2 * lh},
      {"ab\r\ncd\r", -1, 0, std::max(adv("ab"), adv("cd")), 2 * lh},
      {"a\rb", -1, 0, adv("ab"), lh},
      {"abcdef", 3, 0, adv("abc"), lh},
      {"abcdef", 0, 0, 0, 0},
      {"abc\0def", 7, 0, adv("abc"), lh},  // the zero ends the text whatever the count
      {"\xF0\x9F\x98\x80x", -1, 0, adv(" x"), lh},
  };
  for (const Case& c : cases) {
    m = Measure(*font, c.text, c.count, c.format, &result);
    EXPECT_EQ(m.right, c.width) << c.text << " " << c.count;
    EXPECT_EQ(m.bottom, c.height) << c.text << " " << c.count;
    EXPECT_EQ(result, c.height);
  }
  // The pair 0xC0 0x80 is two characters, the first being À's code.
  m = Measure(*font, "\xC0\x80");
  EXPECT_EQ(m.right, Advance(*font, 0xC0) + Advance(*font, 0x80));
  EXPECT_EQ(Advance(*font, 0xC0), Measure(*font, "\xC3\x80").right);
  EXPECT_GT(Advance(*font, 0xC0), 0);
}

TEST(CachedFont, ExtendedCodesAreAddedSortedUnlessPrerendered) {
  auto font = Font();
  const RasterRect m = Measure(*font, "\xE2\x82\xAC\xC3\xA9\xC3\xBC\xC3\xA9");  // € é ü é
  for (int code : {0x20AC, 0xE9, 0xFC})
    ASSERT_NE(font->FindGlyph(code), nullptr) << code;
  EXPECT_EQ(m.right, Advance(*font, 0x20AC) + 2 * Advance(*font, 0xE9) + Advance(*font, 0xFC));
  EXPECT_EQ(font->FindGlyph(0xE8), nullptr);
  EXPECT_EQ(font->FindGlyph(0x20AD), nullptr);
  // Prerendered: every ASCII code is rendered at attach, and nothing above is ever added.
  auto pre = Font(FONT_PRERENDER);
  for (int code = 0; code < 128; ++code)
    EXPECT_NE(pre->FindGlyph(code)->dataPosition, 0) << code;
  EXPECT_EQ(Measure(*pre, "\xC3\xA9").right, 0);
  EXPECT_EQ(pre->FindGlyph(0xE9), nullptr);
  EXPECT_EQ(Measure(*pre, "a\xC3\xA9").right, Advance(*pre, 'a'));
}

TEST(CachedFont, FlagsShapeTheStoredCoverage) {
  auto plain = Font();
  const auto n = CoverageOf(*plain, 'L');
  const int w = plain->FindGlyph('L')->width, h = plain->FindGlyph('L')->height;
  ASSERT_FALSE(n.empty());
  auto clockwise = Font(FONT_VERTICAL), counter = Font(FONT_VERTICAL | FONT_BOTTOM_UP);
  const auto cw = CoverageOf(*clockwise, 'L'), ccw = CoverageOf(*counter, 'L');
  ASSERT_EQ(clockwise->FindGlyph('L')->width, h);
  ASSERT_EQ(clockwise->FindGlyph('L')->height, w);
  EXPECT_EQ(clockwise->FindGlyph('L')->advance, plain->FindGlyph('L')->advance);
  for (int r = 0; r < w; ++r)
    for (int c = 0; c < h; ++c) {
      ASSERT_EQ(cw[r * h + c], n[(h - 1 - c) * w + r]) << r << "," << c;
      ASSERT_EQ(ccw[r * h + c], n[c * w + (w - 1 - r)]) << r << "," << c;
    }
  const auto inverted = CoverageOf(*Font(FONT_INVERT), 'L');
  const auto mono = CoverageOf(*Font(FONT_MONO), 'L');
  const auto blurred = CoverageOf(*Font(FONT_BLUR), 'L');
  int inkBefore = 0, inkBlurred = 0;
  for (size_t i = 0; i < n.size(); ++i) {
    EXPECT_EQ(inverted[i], 255 - n[i]);
    EXPECT_EQ(mono[i], n[i] > 130 ? 255 : 0);
    inkBefore += n[i] != 0;
    inkBlurred += blurred[i] != 0;
  }
  EXPECT_GT(inkBlurred, inkBefore);  // smoothing spreads the ink
  // Shadow: accent exactly where the left, upper-left or upper neighbour is ink; outline: where
  // any direct neighbour is. The ink itself stays the mono ink.
  for (uint32_t effect : {FONT_SHADOW, FONT_OUTLINE, FONT_SHADOW | FONT_OUTLINE}) {
    const auto e = CoverageOf(*Font(effect), 'L');
    auto ink = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < w && y < h && mono[y * w + x] == 255;
    };
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool near = (effect & FONT_SHADOW)
                              ? ink(x - 1, y) || ink(x - 1, y - 1) || ink(x, y - 1)
                              : ink(x - 1, y) || ink(x + 1, y) || ink(x, y - 1) || ink(x, y + 1);
        const int expected = ink(x, y) ? 255 : near ? 128 : 0;
        ASSERT_EQ(e[y * w + x], expected) << effect << " " << x << "," << y;
      }
  }
}

TEST(CachedFont, GlyphsWiderThanTheScratchAreNotCut) {
  // The per-ten-thousand sign is about 1.5 cells wide: wider than 256 pixels at a 200 cell.
  CachedFont font;
  font.AttachSystemFont(MakeTestFont(200), FONT_OWNS_HANDLE);
  const auto bytes = CoverageOf(font, 0x2031);
  const GlyphRecord* g = font.FindGlyph(0x2031);
  ASSERT_NE(g, nullptr);
  ASSERT_GT(g->width, 256);
  ASSERT_GT(g->width, font.LineHeight());
  int rightmostInk = 0;
  for (int i = 0; i < static_cast<int>(bytes.size()); ++i)
    if (bytes[i] > 128) rightmostInk = std::max(rightmostInk, i % g->width);
  EXPECT_GT(rightmostInk, std::max(256, font.LineHeight()));
}

TEST(CachedFont, CharactersThatFindNoMemoryAreSkipped) {
  static const GrowBuffer::Allocator kFailing{[](void*, std::size_t) -> void* { return nullptr; },
                                              [](std::size_t) -> void* { return nullptr; },
                                              [](void*) {}};
  auto font = Font();
  const int a = Advance(*font, 'a');
  GrowBuffer::SetAllocatorForTesting(&kFailing);
  // No record can be added for the extended code; the coverage store still has room for b.
  const int width = Measure(*font,
                            "a\xC3\xA9"
                            "b")
                        .right;
  const GlyphRecord* e = font->FindGlyph(0xE9);
  GrowBuffer::SetAllocatorForTesting(nullptr);
  EXPECT_EQ(width, a + Advance(*font, 'b'));
  EXPECT_EQ(e, nullptr);
  EXPECT_EQ(Measure(*font, "\xC3\xA9").right, Advance(*font, 0xE9));  // tried again later
  EXPECT_GT(Advance(*font, 0xE9), 0);
}

TEST(CachedFont, ReattachingTheSameHandleKeepsIt) {
  auto font = Font();
  SystemFontHandle handle = font->SystemFont();
  const int lh = font->LineHeight();
  Advance(*font, 'x');
  font->AttachSystemFont(handle, FONT_OWNS_HANDLE);
  EXPECT_EQ(font->SystemFont(), handle);
  EXPECT_EQ(font->FindGlyph('x')->dataPosition, 0);  // the cache was emptied
  EXPECT_GT(Advance(*font, 'x'), 0);                 // and the handle still renders
  font->AttachSystemFont(nullptr, 0);                // deletes the owned handle
  EXPECT_EQ(font->LineHeight(), lh);                 // a null handle keeps the line height
}

// Alpha byte 255 where text or its background was drawn; the bitmap starts all 0.
bool Touched(RasterBitmap& b, int x, int y) {
  return (PixelAt(b, x, y) >> 24) == 0xFF;
}

TEST(CachedFont, AlignmentPlacesTheBoxesOfTheText) {
  auto font = Font();
  font->SetBackMode(TEXT_OPAQUE);
  font->SetBackColor(0xFF00FF00);
  font->SetForeColor(0xFF000000);
  const int lh = font->LineHeight();
  const int tw = Measure(*font, "abc").right;
  struct Case {
    uint32_t format;
    RasterRect rect;
    int left, top;  // where the first box lands
  } cases[] = {
      {0, {10, 5, 90, 35}, 10, 5},
      {TEXT_RIGHT, {10, 5, 90, 35}, 90 - tw, 5},
      {TEXT_CENTER, {10, 5, 10 + tw + 3, 35}, 11, 5},  // the odd pixel stays on the right
      {TEXT_BOTTOM | TEXT_CENTER, {10, 5, 10 + tw, 35}, 10, 35 - lh},
      {TEXT_VCENTER, {10, 5, 90, 5 + lh + 5}, 10, 7},
  };
  for (const Case& c : cases) {
    BottomUpBitmap bitmap(100, 40);
    RasterRect rect = c.rect;
    EXPECT_EQ(font->DrawUtf8Text(&bitmap, "abc", -1, &rect, c.format), lh);
    const int right = c.left + tw - 1, bottom = c.top + lh - 1;
    EXPECT_TRUE(Touched(bitmap, c.left, c.top) && Touched(bitmap, right, bottom)) << c.format;
    EXPECT_FALSE(Touched(bitmap, c.left - 1, c.top) || Touched(bitmap, right + 1, c.top) ||
                 Touched(bitmap, c.left, c.top - 1) || Touched(bitmap, c.left, bottom + 1))
        << c.format;
  }
  // Boxes, not the gaps: the short second line leaves the rest of its row untouched.
  MemBitmap bitmap(100, 40);
  std::fill_n(bitmap.Bits(), bitmap.RowSpan() * 40, 0u);
  RasterRect rect{0, 0, 100, 40};
  EXPECT_EQ(font->DrawUtf8Text(&bitmap, "abc\na", -1, &rect, 0), 2 * lh);
  EXPECT_TRUE(Touched(bitmap, tw - 1, 0));
  EXPECT_TRUE(Touched(bitmap, Advance(*font, 'a') - 1, lh));
  EXPECT_FALSE(Touched(bitmap, Advance(*font, 'a'), lh));
}

TEST(CachedFont, DrawingIsClippedToTheRectangleUnlessNoClip) {
  auto font = Font();
  font->SetBackMode(TEXT_OPAQUE);
  const int lh = font->LineHeight();
  MemBitmap bitmap(60, 30);
  std::fill_n(bitmap.Bits(), bitmap.RowSpan() * 30, 0u);
  RasterRect rect{4, 3, 9, 30};  // narrower than the text
  EXPECT_EQ(font->DrawUtf8Text(&bitmap, "www", -1, &rect, 0), lh);
  EXPECT_TRUE(Touched(bitmap, 8, 3));
  EXPECT_FALSE(Touched(bitmap, 9, 3));
  EXPECT_EQ(font->DrawUtf8Text(&bitmap, "www", -1, &rect, TEXT_NOCLIP), lh);
  EXPECT_TRUE(Touched(bitmap, 9, 3));
  RasterRect empty{70, 0, 80, 10};  // beyond the bitmap
  EXPECT_EQ(font->DrawUtf8Text(&bitmap, "www", -1, &empty, 0), 0);
  RasterRect far{-100, -100, 200, 200};
  EXPECT_EQ(font->DrawUtf8Text(&bitmap, "www", -1, &far, 0), 0);  // drew nothing inside
  EXPECT_EQ(font->DrawUtf8Text(&bitmap, nullptr, -1, &rect, 0), 0);
}

TEST(CachedFont, AlphaFromColourScalesTheOpacityForOneCall) {
  auto font = Font();
  auto draw = [&](uint32_t format) {
    auto bitmap = std::make_unique<MemBitmap>(40, 20);
    std::fill_n(bitmap->Bits(), bitmap->RowSpan() * 20, 0xFF000000u);
    RasterRect rect{0, 0, 40, 20};
    font->DrawUtf8Text(bitmap.get(), "Ax", -1, &rect, format);
    return std::vector<Pixel>(bitmap->Bits(), bitmap->Bits() + bitmap->RowSpan() * 20);
  };
  font->SetForeColor(0xFFFFFFFF);
  const auto full = draw(0);
  font->SetBlend(BLEND_COPY, 128 / 255.0f);
  const auto half = draw(0);
  ASSERT_NE(full, half);
  font->SetBlend(BLEND_COPY, 1.0f);
  font->SetForeColor(0x80FFFFFF);
  EXPECT_EQ(draw(TEXT_ALPHA_FROM_COLOR), half);
  EXPECT_EQ(draw(0), full);  // the stored opacity is back to 1.0
  font->SetForeColor(0x00FFFFFF);
  RasterRect rect{0, 0, 40, 20};
  MemBitmap bitmap(40, 20);
  EXPECT_EQ(font->DrawUtf8Text(&bitmap, "Ax", -1, &rect, TEXT_ALPHA_FROM_COLOR), 0);
}

TEST(CachedFont, VerticalTextRunsDownOrUp) {
  auto down = Font(FONT_VERTICAL), up = Font(FONT_VERTICAL | FONT_BOTTOM_UP);
  const int lh = down->LineHeight();
  int result = 0;
  const RasterRect m = Measure(*down, "ab\nc", -1, 0, &result);
  EXPECT_EQ(m.bottom, Advance(*down, 'a') + Advance(*down, 'b'));
  EXPECT_EQ(m.right, 2 * lh);  // the line feed steps one column to the right
  EXPECT_EQ(result, 2 * lh);
  // Bottom-up text ends at the rectangle's top: its first glyph is drawn at the bottom.
  for (CachedFont* font : {down.get(), up.get()}) {
    font->SetBackMode(TEXT_OPAQUE);
    MemBitmap bitmap(30, 60);
    std::fill_n(bitmap.Bits(), bitmap.RowSpan() * 60, 0u);
    RasterRect rect{2, 4, 30, 60};
    EXPECT_EQ(font->DrawUtf8Text(&bitmap, "ab", -1, &rect, 0), lh);
    const int length = Advance(*font, 'a') + Advance(*font, 'b');
    EXPECT_TRUE(Touched(bitmap, 2, 4) && Touched(bitmap, 2 + lh - 1, 4 + length - 1));
    EXPECT_FALSE(Touched(bitmap, 2, 4 + length) || Touched(bitmap, 2 + lh, 4));
  }
}

}  // namespace
