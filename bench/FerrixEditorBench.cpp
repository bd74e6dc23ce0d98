// Ferrix's editor: construction with and without it (warm: images already known to the module;
// cold: the first instance of the process), the first full paint with the images' decoding, and
// one timer tick with every meter moving. Cold figures need a fresh process each: run them with
// --benchmark_filter=Cold (anything else first would warm the caches; they then refuse to run).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "effect/ExecutableImages.h"
#include "effect/Ferrix.h"
#include "graphics/IGraphics.h"
#include "graphics/ImageCache.h"
#include "tools/programs/renders/TestSignals.h"

namespace {

using Clock = std::chrono::steady_clock;

bool firstPaintDone = false;

double Seconds(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double>(end - start).count();
}

void Tick(IGraphics* editor) {
  IBounds area;
  if (editor->CollectDirtyArea(&area)) editor->RedrawArea(area);
  firstPaintDone = true;
}

void Construct(benchmark::State& state, bool withEditor) {
  SetModuleInstance(ExecutableImages());
  for (auto _ : state) {
    auto* effect = new Ferrix(nullptr, withEditor);
    benchmark::DoNotOptimize(effect);
    delete effect;
  }
}

void BM_FerrixConstructWithEditorWarm(benchmark::State& s) {
  Ferrix first(nullptr);  // the module's images are known from here on
  Construct(s, true);
}
void BM_BaselineFerrixConstructWithoutEditor(benchmark::State& s) {
  Construct(s, false);
}

void BM_FerrixConstructWithEditorCold(benchmark::State& state) {
  SetModuleInstance(ExecutableImages());
  if (ModuleImageCache().NEntries() != 0) {
    state.SkipWithError("not the first instance of the process: run with --benchmark_filter=Cold");
    return;
  }
  for (auto _ : state) {
    const auto start = Clock::now();
    Ferrix effect(nullptr);
    state.SetIterationTime(Seconds(start, Clock::now()));
  }
}

void BM_FerrixFirstPaintCold(benchmark::State& state) {
  SetModuleInstance(ExecutableImages());
  if (firstPaintDone) {
    state.SkipWithError("not the first paint of the process: run with --benchmark_filter=Cold");
    return;
  }
  for (auto _ : state) {
    Ferrix effect(nullptr);
    const auto start = Clock::now();
    Tick(effect.Graphics());
    state.SetIterationTime(Seconds(start, Clock::now()));
  }
}

// "Bass Grit" on music in 512-frame blocks; after each block any meter the block left still
// gets a new value, so the tick redraws all eleven and the read-outs.
void BM_FerrixTimerTickEveryMeterMoving(benchmark::State& state) {
  SetModuleInstance(ExecutableImages());
  constexpr int kBlock = 512, kBlocks = 94;
  StereoSignal music = MusicLike(kBlock * kBlocks);
  std::vector<double> outLeft(kBlock), outRight(kBlock);
  Ferrix effect(nullptr);
  effect.SetSampleRate(48000.0);
  effect.LoadPreset(1);
  effect.AnnounceAllParams();
  effect.ResetState();
  IGraphics* editor = effect.Graphics();
  Tick(editor);
  long block = 0;
  double dirtyMeters = 0;
  for (auto _ : state) {
    const int b = static_cast<int>(block++ % kBlocks);
    double* inputs[2] = {music.left.data() + b * kBlock, music.right.data() + b * kBlock};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    effect.ProcessBlockDouble(inputs, outputs, kBlock);
    for (int m = 0; m < Ferrix::kNumMeters; ++m) {
      IControl* meter = editor->GetControl(effect.MeterIndex(Ferrix::Meter(m)));
      dirtyMeters += meter->NeedsRedraw();
      if (!meter->NeedsRedraw()) meter->SetValueFromPlugin((block % 50) / 49.0);
    }
    const auto start = Clock::now();
    Tick(editor);
    state.SetIterationTime(Seconds(start, Clock::now()));
  }
  state.counters["meters_moved_by_audio"] = dirtyMeters / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(BM_FerrixConstructWithEditorCold)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FerrixFirstPaintCold)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FerrixConstructWithEditorWarm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineFerrixConstructWithoutEditor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FerrixTimerTickEveryMeterMoving)->UseManualTime()->Unit(benchmark::kMicrosecond);
