// The X11 editor window presenting its canvas under a private Xvfb, through MIT-SHM
// (XShmPutImage from a shared segment) and through plain XPutImage: the whole 640 x 480 canvas,
// one 35 x 380 meter strip (Ferrix's size), and a timer step with that meter dirty (one idle
// step: events, redraw, present). Each iteration ends with XSync, so the figure holds the
// server's work too. Baselines of the same run: a
// memcpy of the whole canvas, and XSync alone (one round trip to the server).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "graphics/IBitmapControl.h"
#include "graphics_x11/IGraphicsX11.h"
#include "graphics_x11/X11ErrorTrap.h"
#include "raster/MemBitmap.h"
#include "tests/graphics_x11/XvfbServer.h"
#include "tests/plugin_core/TestEffect.h"

// Last: Xlib's macros would rename our own names.
#include <X11/Xlib.h>

namespace {

constexpr int kFrames = 100;
constexpr IBounds kStrip{21, 48, 21 + 35, 48 + 380};
constexpr IBounds kWhole{0, 0, 640, 480};

// Ids 1 background, 2 a 100-frame meter strip; both made in memory.
class BenchX11Editor : public IGraphicsX11 {
 public:
  explicit BenchX11Editor(EffectBase* effect) : IGraphicsX11(effect, 640, 480) {}
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

// The server lives as long as the process; a screen large enough for the editor.
bool ServerRuns() {
  static XvfbServer server("1024x768x24");
  return server.Failure().empty();
}

struct WindowScene {
  TestEffect effect;
  BenchX11Editor* editor = new BenchX11Editor(&effect);
  IControl* meter = nullptr;
  Display* display = XOpenDisplay(nullptr);
  Window parent = 0;

  explicit WindowScene(bool sharedMemory) {
    DefineTestParams(effect);
    editor->SetWholeAreaRedraw(false);
    editor->SetSharedMemoryAllowed(sharedMemory);
    editor->AddBackground(1, "background.png");
    meter = new IBitmapControl(&effect, kStrip.left, kStrip.top, -1,
                               editor->LoadImage(2, "meter.png", kFrames));
    editor->AddControl(meter);
    effect.AttachEditor(editor);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 640, 480, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    editor->OpenEditorWindow(reinterpret_cast<void*>(static_cast<uintptr_t>(parent)));
    editor->IdleStep(true);  // first paint of everything
    XSync(editor->Display(), False);
  }
  ~WindowScene() {
    editor->CloseEditorWindow();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
  }
};

void Present(benchmark::State& state, const IBounds& area) {
  if (!ServerRuns()) return state.SkipWithError("Xvfb does not run");
  WindowScene scene(state.range(0) != 0);
  if (scene.editor->PresentsThroughSharedMemory() != (state.range(0) != 0))
    return state.SkipWithError("MIT-SHM not available");
  // Inside an error trap, as the idle step presents.
  X11ErrorTrap trap(scene.editor->Display());
  for (auto _ : state) {
    scene.editor->PresentArea(area);
    XSync(scene.editor->Display(), False);
  }
}

void BM_PresentWholeCanvas(benchmark::State& state) {
  Present(state, kWhole);
}
BENCHMARK(BM_PresentWholeCanvas)->ArgName("shm")->Arg(1)->Arg(0);

void BM_PresentMeterStrip(benchmark::State& state) {
  Present(state, kStrip);
}
BENCHMARK(BM_PresentMeterStrip)->ArgName("shm")->Arg(1)->Arg(0);

void BM_TimerTickDirtyMeter(benchmark::State& state) {
  if (!ServerRuns()) return state.SkipWithError("Xvfb does not run");
  WindowScene scene(state.range(0) != 0);
  int frame = 0;
  for (auto _ : state) {
    scene.meter->SetValueFromPlugin((frame++ % kFrames) / double(kFrames - 1));
    scene.editor->IdleStep(true);
    XSync(scene.editor->Display(), False);
  }
}
BENCHMARK(BM_TimerTickDirtyMeter)->ArgName("shm")->Arg(1)->Arg(0);

// Baselines: copying the canvas's bytes in memory, and one round trip to the server.
void BM_BaselineCopyWholeCanvas(benchmark::State& state) {
  std::vector<Pixel> from(640 * 480, 0xFF102030u), to(640 * 480);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(Pixel));
    benchmark::DoNotOptimize(to.data());
  }
}
BENCHMARK(BM_BaselineCopyWholeCanvas);

void BM_BaselineRoundTrip(benchmark::State& state) {
  if (!ServerRuns()) return state.SkipWithError("Xvfb does not run");
  Display* display = XOpenDisplay(nullptr);
  for (auto _ : state)
    XSync(display, False);
  XCloseDisplay(display);
}
BENCHMARK(BM_BaselineRoundTrip);

}  // namespace
