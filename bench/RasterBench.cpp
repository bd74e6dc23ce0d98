// Raster blits, fills and PNG decoding, with the baselines of the same run: pixman's OVER
// composite of the same sizes for the source-alpha blit, memcpy for the raw copy.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "raster/BlendMode.h"
#include "raster/BlitBitmap.h"
#include "raster/FillRectangle.h"
#include "raster/LoadPng.h"
#include "raster/MemBitmap.h"
#include "raster/SavePng.h"

namespace {

// Source kinds: 0 a control-like image (shaded disc: clear corners, opaque inside, soft edge),
// 1 random alpha everywhere (no pixel can take a shortcut).
void Paint(MemBitmap& bitmap, int kind) {
  std::mt19937 random(1);
  const int w = bitmap.Width(), h = bitmap.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t alpha = random() & 0xFF;
      if (kind == 0) {
        const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
        const double edge = (1.0 - std::sqrt(dx * dx + dy * dy)) * 20.0;
        alpha = static_cast<uint32_t>(std::clamp(edge, 0.0, 1.0) * 255.0);
      }
      bitmap.Bits()[y * bitmap.RowSpan() + x] = alpha << 24 | (random() & 0xFFFFFF);
    }
}

struct Scene {
  MemBitmap source, destination;
  Scene(int w, int h, int kind) : source(w, h), destination(w, h) {
    Paint(source, kind);
    for (int i = 0; i < destination.RowSpan() * h; ++i)
      destination.Bits()[i] = 0xFF204060;
  }
};

void Sizes(benchmark::internal::Benchmark* b) {
  for (int kind : {0, 1}) {
    b->Args({640, 480, kind});
    b->Args({35, 380, kind});
  }
}

void SetPixels(benchmark::State& state, int w, int h) {
  state.SetItemsProcessed(state.iterations() * w * h);
  state.SetBytesProcessed(state.iterations() * w * h * 4);
}

void BM_BlitCopySourceAlpha(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Scene scene(w, h, static_cast<int>(state.range(2)));
  for (auto _ : state) {
    BlitBitmap(&scene.destination, &scene.source, 0, 0, nullptr, 1.0f,
               BLEND_COPY | BLEND_USE_SOURCE_ALPHA);
    benchmark::ClobberMemory();
  }
  SetPixels(state, w, h);
}
BENCHMARK(BM_BlitCopySourceAlpha)->Apply(Sizes);

void BM_PixmanOver(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Scene scene(w, h, static_cast<int>(state.range(2)));
  pixman_image_t* source = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, scene.source.Bits(),
                                                    scene.source.RowSpan() * 4);
  pixman_image_t* destination = pixman_image_create_bits(
      PIXMAN_a8r8g8b8, w, h, scene.destination.Bits(), scene.destination.RowSpan() * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, destination, 0, 0, 0, 0, 0, 0, w, h);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(source);
  pixman_image_unref(destination);
  SetPixels(state, w, h);
}
BENCHMARK(BM_PixmanOver)->Apply(Sizes);

void BM_BlitCopyRaw(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Scene scene(w, h, 0);
  for (auto _ : state) {
    BlitBitmap(&scene.destination, &scene.source, 0, 0, nullptr, 1.0f, BLEND_COPY);
    benchmark::ClobberMemory();
  }
  SetPixels(state, w, h);
}
BENCHMARK(BM_BlitCopyRaw)->Args({640, 480})->Args({35, 380});

void BM_BaselineMemcpyRows(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Scene scene(w, h, 0);
  const int span = scene.source.RowSpan();
  for (auto _ : state) {
    for (int y = 0; y < h; ++y)
      std::memcpy(scene.destination.Bits() + y * span, scene.source.Bits() + y * span, w * 4);
    benchmark::ClobberMemory();
  }
  SetPixels(state, w, h);
}
BENCHMARK(BM_BaselineMemcpyRows)->Args({640, 480})->Args({35, 380});

// range(2): opacity in percent; 100 is the whole-word fill, 30 the per-byte copy kernel.
void BM_FillRectangle(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const float opacity = static_cast<float>(state.range(2)) / 100.0f;
  MemBitmap bitmap(w, h);
  for (auto _ : state) {
    FillRectangle(&bitmap, 0, 0, w, h, 0xFF336699, opacity, BLEND_COPY);
    benchmark::ClobberMemory();
  }
  SetPixels(state, w, h);
}
BENCHMARK(BM_FillRectangle)->Args({640, 480, 100})->Args({35, 380, 100})->Args({640, 480, 30});

// A meter strip: frames of a bar that fills upwards over a soft background.
std::vector<uint8_t> EncodeStrip(int w, int h) {
  PngRows strip;
  strip.width = w;
  strip.height = h;
  strip.rows.resize(static_cast<size_t>(w) * h * 4);
  uint8_t* pixel = strip.rows.data();
  for (int y = 0; y < h; ++y) {
    const int frame = y / 380, line = y % 380;
    for (int x = 0; x < w; ++x, pixel += 4) {
      const bool lit = 380 - line < frame * 380 / (h / 380);
      pixel[0] = static_cast<uint8_t>(lit ? 40 + line / 3 : 20);
      pixel[1] = static_cast<uint8_t>(lit ? 220 - line / 2 : 24);
      pixel[2] = static_cast<uint8_t>(lit ? 60 : 28 + x);
      pixel[3] = static_cast<uint8_t>(x == 0 || x == w - 1 ? 128 : 255);
    }
  }
  return EncodePngRows(strip);
}

void BM_PngDecodeStrip(benchmark::State& state) {
  const int w = 35, h = 38000;
  const std::vector<uint8_t> data = EncodeStrip(w, h);
  for (auto _ : state) {
    std::unique_ptr<MemBitmap> bitmap(
        LoadPngMemory(data.data(), static_cast<int32_t>(data.size())));
    benchmark::DoNotOptimize(bitmap.get());
  }
  // Decoded bytes per second.
  state.SetBytesProcessed(state.iterations() * w * h * 4);
  state.counters["png_bytes"] = static_cast<double>(data.size());
}
BENCHMARK(BM_PngDecodeStrip)->Unit(benchmark::kMillisecond);

}  // namespace
