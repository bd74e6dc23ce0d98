// The editor's redraw pass: a 640 x 480 editor with 24 controls where only the 11 meter strips
// (35 x 380) and the two level texts are dirty, against a whole-canvas repaint of the same
// controls in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphics/IBitmapControl.h"
#include "graphics/IGraphicsHeadless.h"
#include "graphics/IKnobControl.h"
#include "graphics/ITextControl.h"
#include "graphics/IURLControl.h"
#include "raster/MemBitmap.h"
#include "tests/plugin_core/TestEffect.h"

namespace {

constexpr int kMeterFrames = 100;

// Images made in memory: ids 1 background, 2 meter strip, 3 knob strip, 4 switch.
class BenchEditor : public IGraphicsHeadless {
 public:
  explicit BenchEditor(EffectBase* effect) : IGraphicsHeadless(effect, 640, 480) {}
  RasterBitmap* LoadImageResource(int id, const char*) override {
    switch (id) {
      case 1:
        return Painted(640, 480, [](int x, int y) { return 0xFF000000u | (x * 3 + y * 5); });
      case 2:  // opaque bars of a level meter
        return Painted(35, 380 * kMeterFrames, [](int, int y) {
          const int frame = y / 380, fromBottom = 379 - y % 380;
          return fromBottom < frame * 380 / (kMeterFrames - 1) ? 0xFF40F080u : 0xFF103020u;
        });
      case 3:  // a shaded disc: clear corners, opaque inside, soft edge
        return Painted(60, 60 * 64, [](int x, int y) {
          const double dx = (x - 29.5) / 30.0, dy = (y % 60 - 29.5) / 30.0;
          const double edge = std::clamp((1.0 - std::sqrt(dx * dx + dy * dy)) * 20.0, 0.0, 1.0);
          return static_cast<uint32_t>(edge * 255.0) << 24 | 0x808080u;
        });
      default:
        return Painted(40, 40, [](int, int y) { return y < 20 ? 0xFFC0C0C0u : 0xFF404040u; });
    }
  }

 private:
  template <class F>
  static MemBitmap* Painted(int w, int h, F pixel) {
    auto* bitmap = new MemBitmap(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        bitmap->Bits()[y * bitmap->RowSpan() + x] = pixel(x, y);
    return bitmap;
  }
};

struct EditorScene {
  TestEffect effect;
  BenchEditor* editor = new BenchEditor(&effect);
  IControl* meters[11];
  ITextControl* texts[2];

  EditorScene() {
    DefineTestParams(effect);
    editor->SetWholeAreaRedraw(false);
    editor->AddBackground(1, "background.png");
    const IImage meter = editor->LoadImage(2, "meter.png", kMeterFrames);
    // As in Ferrix's panel: bars with their peak lines over them in four columns, two markers
    // sharing the strip between the input bars, and one more strip.
    const int columns[11] = {21, 74, 530, 583, 21, 74, 530, 583, 127, 127, 300};
    for (int i = 0; i < 11; ++i) {
      meters[i] = new IBitmapControl(&effect, columns[i], 48, -1, meter);
      editor->AddControl(meters[i]);
    }
    const IImage knob = editor->LoadImage(3, "knob.png", 64);
    for (int i = 0; i < 6; ++i)
      editor->AddControl(
          new IKnobMultiControlText(&effect, {180 + 70 * i, 320, 240 + 70 * i, 400}, i, knob, {}));
    const IImage button = editor->LoadImage(4, "switch.png", 2);
    for (int i = 0; i < 3; ++i)
      editor->AddControl(new ISwitchControl(&effect, 250 + 60 * i, 420, 6 + i, button));
    for (int i = 0; i < 2; ++i) {
      texts[i] = new ITextControl(&effect, {530 + 53 * i, 26, 565 + 53 * i, 48}, {});
      editor->AddControl(texts[i]);
    }
    editor->AddControl(new IURLControl(&effect, {534, 464, 614, 478}, "https://example.org/"));
    effect.AttachEditor(editor);
    editor->RedrawAll();
  }

  // What one audio block hands over: new meter values and level texts.
  void BlockEnd(int block) {
    for (int i = 0; i < 11; ++i)
      meters[i]->SetValueFromPlugin(((block * 7 + i * 13) % 100) / 99.0);
    char text[16];
    std::snprintf(text, sizeof text, "%2.1f dB", -(block % 600) / 10.0);
    texts[0]->SetTextFromPlugin(text);
    texts[1]->SetTextFromPlugin(text);
  }
};

void BM_RedrawDirtyMeters(benchmark::State& state) {
  EditorScene scene;
  int block = 0;
  for (auto _ : state) {
    scene.BlockEnd(++block);  // a few atomic stores: cheap beside any drawing
    IBounds dirty;
    if (scene.editor->CollectDirtyArea(&dirty)) scene.editor->RedrawArea(dirty);
  }
}
BENCHMARK(BM_RedrawDirtyMeters)->Unit(benchmark::kMicrosecond);

void BM_RepaintWholeCanvas(benchmark::State& state) {
  EditorScene scene;
  scene.editor->SetWholeAreaRedraw(true);
  int block = 0;
  for (auto _ : state) {
    scene.BlockEnd(++block);  // a few atomic stores: cheap beside any drawing
    scene.editor->RedrawAll();
  }
}
BENCHMARK(BM_RepaintWholeCanvas)->Unit(benchmark::kMicrosecond);

}  // namespace
