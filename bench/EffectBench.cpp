// Ferrix's ProcessBlockDouble at 48 kHz in 512-frame stereo blocks on music-like input with the
// clipper working, against a plain copy of the same buffers in the same run. Figures are per
// stereo frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "effect/Ferrix.h"
#include "tools/programs/renders/TestSignals.h"

namespace {

constexpr int kBlock = 512;
constexpr int kBlocks = 94;  // about one second of audio at 48 kHz

// One second of music, clipped by "Bass Grit" (−12 dB rising to −3 dB, 4.2 dB of input gain).
struct Workload {
  StereoSignal music = MusicLike(kBlock * kBlocks);
  StereoSignal input = music;
  std::vector<double> outLeft = std::vector<double>(kBlock * kBlocks);
  std::vector<double> outRight = std::vector<double>(kBlock * kBlocks);
};

// withEditor false: the same without the block-end hand-off to the editor.
void ProcessBlocks(benchmark::State& state, bool withEditor) {
  Workload w;
  Ferrix effect(nullptr, withEditor);  // no host: every request towards it answers 0
  effect.SetSampleRate(48000.0);
  effect.AnnounceAllParams();
  effect.LoadPreset(1);
  effect.ResetState();
  for (auto _ : state) {
    for (int b = 0; b < kBlocks; ++b) {
      double* inputs[2] = {w.input.left.data() + b * kBlock, w.input.right.data() + b * kBlock};
      double* outputs[2] = {w.outLeft.data() + b * kBlock, w.outRight.data() + b * kBlock};
      effect.ProcessBlockDouble(inputs, outputs, kBlock);
    }
    benchmark::DoNotOptimize(w.outLeft.data());
    benchmark::ClobberMemory();
  }
  state.counters["ns_per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kBlock * kBlocks,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["reduction"] = effect.Processing().reduction.value;  // proves it clipped
}
void BM_ProcessBlockDouble(benchmark::State& state) {
  ProcessBlocks(state, true);
}
void BM_ProcessBlockDoubleWithoutEditor(benchmark::State& state) {
  ProcessBlocks(state, false);
}
BENCHMARK(BM_ProcessBlockDouble)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessBlockDoubleWithoutEditor)->Unit(benchmark::kMicrosecond);

void BM_BaselineCopyBlocks(benchmark::State& state) {
  Workload w;
  for (auto _ : state) {
    for (int b = 0; b < kBlocks; ++b) {
      std::memcpy(w.outLeft.data() + b * kBlock, w.input.left.data() + b * kBlock,
                  kBlock * sizeof(double));
      std::memcpy(w.outRight.data() + b * kBlock, w.input.right.data() + b * kBlock,
                  kBlock * sizeof(double));
    }
    benchmark::DoNotOptimize(w.outLeft.data());
    benchmark::ClobberMemory();
  }
  state.counters["ns_per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kBlock * kBlocks,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BaselineCopyBlocks)->Unit(benchmark::kMicrosecond);

// One 512-frame block at 44.1 kHz after ten minutes of digital silence, against one block of the
// music in the same run: the meters have fallen for ten minutes, and the silent block must cost
// the same as a block of music. Figures are per block.
constexpr int kSilenceBlocks = 600 * 44100 / kBlock;

// "Bass Grit" at 44.1 kHz, its meters full of the music's last block.
struct SilenceWorkload : Workload {
  Ferrix effect{nullptr};
  std::vector<double> silence = std::vector<double>(kBlock);
  SilenceWorkload() {
    effect.SetSampleRate(44100.0);
    effect.AnnounceAllParams();
    effect.LoadPreset(1);
    effect.ResetState();
    for (int b = 0; b < kBlocks; ++b)
      MusicBlock(b);
  }
  void MusicBlock(int b) {
    double* inputs[2] = {input.left.data() + b * kBlock, input.right.data() + b * kBlock};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    effect.ProcessBlockDouble(inputs, outputs, kBlock);
  }
  void SilentBlock() {
    double* inputs[2] = {silence.data(), silence.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    effect.ProcessBlockDouble(inputs, outputs, kBlock);
  }
};

void BM_SilentBlockAfterTenMinutesOfSilence(benchmark::State& state) {
  SilenceWorkload w;
  for (int b = 0; b < kSilenceBlocks; ++b)
    w.SilentBlock();
  for (auto _ : state) {
    w.SilentBlock();
    benchmark::DoNotOptimize(w.outLeft.data());
    benchmark::ClobberMemory();
  }
  state.counters["fast_meter"] = w.effect.Processing().fastOutputLeft.value;
  state.counters["slow_meter"] = w.effect.Processing().slowOutputLeft.value;
}
BENCHMARK(BM_SilentBlockAfterTenMinutesOfSilence)->Unit(benchmark::kMicrosecond);

void BM_MusicBlock(benchmark::State& state) {
  SilenceWorkload w;
  int b = 0;
  for (auto _ : state) {
    w.MusicBlock(b);
    b = (b + 1) % kBlocks;
    benchmark::DoNotOptimize(w.outLeft.data());
    benchmark::ClobberMemory();
  }
  state.counters["reduction"] = w.effect.Processing().reduction.value;  // proves it clipped
}
BENCHMARK(BM_MusicBlock)->Unit(benchmark::kMicrosecond);

}  // namespace
