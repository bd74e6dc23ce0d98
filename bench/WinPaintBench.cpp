// The Windows editor window presenting one meter strip (35 x 380): a paint message over that
// area (the canvas copied with BitBlt), and a whole timer step with that meter dirty (collect,
// redraw into the canvas, paint), against a one-pixel paint and a plain memory-to-memory BitBlt
// of the strip in the same run. Run under wine: the window and GDI are wine's.
#include <benchmark/benchmark.h>
#include <windows.h>

#include "graphics/IBitmapControl.h"
#include "graphics_win/IGraphicsWin.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"
#include "tests/plugin_core/TestEffect.h"

namespace {

constexpr int kFrames = 100;
constexpr RECT kStrip{21, 48, 21 + 35, 48 + 380};

// Ids 1 background, 2 a 100-frame meter strip; both made in memory.
class BenchWinEditor : public IGraphicsWin {
 public:
  explicit BenchWinEditor(EffectBase* effect) : IGraphicsWin(effect, 640, 480) {
    SetModuleHandle(GetModuleHandleA(nullptr));
  }
  RasterBitmap* LoadImageResource(int id, const char*) override {
    const int w = id == 1 ? 640 : 35, h = id == 1 ? 480 : 380 * kFrames;
    auto* bitmap = new MemBitmap(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        bitmap->Bits()[y * bitmap->RowSpan() + x] =
            id == 1 ? 0xFF000000u | (x * 3 + y * 5)
                    : (y % 380 < y / 380 ? 0xFF103020u : 0xFF40F080u);
    return bitmap;
  }
};

struct WindowScene {
  TestEffect effect;
  BenchWinEditor* editor = new BenchWinEditor(&effect);
  IControl* meter = nullptr;
  HWND parent = nullptr;
  HWND window = nullptr;

  WindowScene() {
    DefineTestParams(effect);
    editor->SetWholeAreaRedraw(false);
    editor->AddBackground(1, "background.png");
    meter = new IBitmapControl(&effect, kStrip.left, kStrip.top, -1,
                               editor->LoadImage(2, "meter.png", kFrames));
    editor->AddControl(meter);
    effect.AttachEditor(editor);
    parent = CreateWindowExA(0, "STATIC", "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    window = static_cast<HWND>(editor->OpenEditorWindow(parent));
    SendMessageA(window, WM_TIMER, IGraphicsWin::kTimerId, 0);  // first paint of everything
  }
  ~WindowScene() { DestroyWindow(parent); }
};

void BM_PaintMeterStrip(benchmark::State& state) {
  WindowScene scene;
  for (auto _ : state) {
    InvalidateRect(scene.window, &kStrip, FALSE);
    UpdateWindow(scene.window);
  }
}
BENCHMARK(BM_PaintMeterStrip);

// The fixed cost of one paint message: a single pixel of the strip.
void BM_PaintOnePixel(benchmark::State& state) {
  WindowScene scene;
  const RECT pixel{kStrip.left, kStrip.top, kStrip.left + 1, kStrip.top + 1};
  for (auto _ : state) {
    InvalidateRect(scene.window, &pixel, FALSE);
    UpdateWindow(scene.window);
  }
}
BENCHMARK(BM_PaintOnePixel);

void BM_TimerTickDirtyMeter(benchmark::State& state) {
  WindowScene scene;
  int frame = 0;
  for (auto _ : state) {
    scene.meter->SetValueFromPlugin((frame++ % kFrames) / double(kFrames - 1));
    SendMessageA(scene.window, WM_TIMER, IGraphicsWin::kTimerId, 0);
  }
}
BENCHMARK(BM_TimerTickDirtyMeter);

// Baseline: the same area between two memory device contexts.
void BM_MemoryBitBltMeterStrip(benchmark::State& state) {
  SysBitmap source(640, 480), target(640, 480);
  HDC from = static_cast<HDC>(source.SystemDC()), to = static_cast<HDC>(target.SystemDC());
  for (auto _ : state)
    BitBlt(to, kStrip.left, kStrip.top, 35, 380, from, kStrip.left, kStrip.top, SRCCOPY);
}
BENCHMARK(BM_MemoryBitBltMeterStrip);

}  // namespace
