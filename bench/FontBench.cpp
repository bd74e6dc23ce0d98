// Text drawing with a warm glyph cache, beside cairo's cairo_show_text (which keeps its own glyph
// cache) drawing the same string in the same face and size onto an ARGB32 surface of the same size.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <memory>

#include "raster/CachedFont.h"
#include "raster/FillRectangle.h"
#include "raster/MemBitmap.h"
#include "raster/SystemFont.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kCellHeight = 14;
// DejaVu Sans: the cell (usWinAscent + usWinDescent = 2384 units) over the em (2048 units), so
// cairo's em size gives the same glyphs as our cell height of 14.
constexpr double kCairoEm = kCellHeight * 2048.0 / 2384.0;
constexpr const char* kReadout = "-12.3 dB";
constexpr const char* kLine = "The quick brown fox jumps over 13 dogs!!";  // 40 characters

struct Canvas {
  MemBitmap bitmap{kWidth, kHeight};
  CachedFont font;
  Canvas() {
    FillRectangle(&bitmap, 0, 0, kWidth, kHeight, 0xFF203040, 1.0f, 0);
    SystemFontRequest request;
    request.height = kCellHeight;
    request.face = "DejaVu Sans";
    font.AttachSystemFont(CreateSystemFont(request), FONT_OWNS_HANDLE | FONT_NATIVE);
    font.SetForeColor(0xFFE0F0FF);
  }
};

void DrawOurs(benchmark::State& state, const char* text, uint32_t format) {
  Canvas canvas;
  RasterRect rect{300, 200, 620, 220};
  canvas.font.DrawUtf8Text(&canvas.bitmap, text, -1, &rect, format);  // warms the cache
  for (auto _ : state) {
    RasterRect r = rect;
    benchmark::DoNotOptimize(canvas.font.DrawUtf8Text(&canvas.bitmap, text, -1, &r, format));
    benchmark::ClobberMemory();
  }
}

void DrawCairo(benchmark::State& state, const char* text) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0.125, 0.19, 0.25);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, kCairoEm);
  cairo_set_source_rgb(cr, 0.88, 0.94, 1.0);
  cairo_move_to(cr, 300, 213);
  cairo_show_text(cr, text);  // warms its cache
  for (auto _ : state) {
    cairo_move_to(cr, 300, 213);
    cairo_show_text(cr, text);
    cairo_surface_flush(surface);
    benchmark::ClobberMemory();
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

void BM_CachedFontReadout(benchmark::State& state) {
  DrawOurs(state, kReadout, 0);
}
void BM_CachedFontReadoutCentred(benchmark::State& state) {
  DrawOurs(state, kReadout, TEXT_CENTER | TEXT_VCENTER);
}
void BM_CachedFontLine40(benchmark::State& state) {
  DrawOurs(state, kLine, 0);
}
void BM_CairoReadout(benchmark::State& state) {
  DrawCairo(state, kReadout);
}
void BM_CairoLine40(benchmark::State& state) {
  DrawCairo(state, kLine);
}

BENCHMARK(BM_CachedFontReadout);
BENCHMARK(BM_CairoReadout);
BENCHMARK(BM_CachedFontReadoutCentred);
BENCHMARK(BM_CachedFontLine40);
BENCHMARK(BM_CairoLine40);

}  // namespace
