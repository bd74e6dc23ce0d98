// Ferrix through its VST 2.4 entry points at 48 kHz in 512-frame stereo blocks of music-like
// input clipped by "Bass Grit": 32-bit processReplacing (the direct path), 64-bit
// processDoubleReplacing, and as the baseline of the same run the 32-bit widen/narrow path, on
// both kinds of frames. Then the built modules loaded as a host loads them and driven through
// the same calls: Ferrix and a peer from Debian's packages, LSP's stereo limiter. Figures are
// nanoseconds per stereo frame.
#include <benchmark/benchmark.h>

#include <type_traits>
#include <vector>

#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"
#include "tools/programs/renders/TestSignals.h"
#include "tools/programs/renders/WidenedFerrix.h"

namespace {

using ferrix::host::Host;
using ferrix::host::Plugin;

constexpr int kBlock = 512;
constexpr int kBlocks = 94;  // about one second of audio at 48 kHz
constexpr int kRate = 48000;
constexpr int kBassGrit = 1;
const char* const kLspLimiter = "/usr/lib/vst/lsp-plugins/limiter-stereo.so";

// One second of music in the host's sample type, blocks processed through the record.
template <typename Sample>
void ProcessMusic(benchmark::State& state, AEffect* record) {
  static const StereoSignal music = MusicLike(kBlock * kBlocks);
  std::vector<Sample> inLeft(music.left.begin(), music.left.end());
  std::vector<Sample> inRight(music.right.begin(), music.right.end());
  std::vector<Sample> outLeft(inLeft.size()), outRight(inLeft.size());
  for (auto _ : state) {
    for (int b = 0; b < kBlocks; ++b) {
      Sample* inputs[2] = {inLeft.data() + b * kBlock, inRight.data() + b * kBlock};
      Sample* outputs[2] = {outLeft.data() + b * kBlock, outRight.data() + b * kBlock};
      if constexpr (std::is_same_v<Sample, double>)
        record->processDoubleReplacing(record, inputs, outputs, kBlock);
      else
        record->processReplacing(record, inputs, outputs, kBlock);
    }
    benchmark::DoNotOptimize(outLeft.data());
    benchmark::ClobberMemory();
  }
  state.counters["ns_per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kBlock * kBlocks,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Ferrix built into the benchmark, set up through its record as a host does; arg 0: SSE2
// frames, 1: AVX2 frames.
template <typename Sample, typename Effect>
void InProcess(benchmark::State& state) {
  Effect effect(nullptr);  // with its editor, as in a host; no host callback
  effect.SetFrameKind(state.range(0) ? ClipShifter::Vectors::kAvx2 : ClipShifter::Vectors::kSse2);
  AEffect* record = effect.Record();
  record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
  record->dispatcher(record, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  record->dispatcher(record, effSetProgram, 0, kBassGrit, nullptr, 0.0f);
  record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
  ProcessMusic<Sample>(state, record);
  state.counters["reduction"] = effect.Processing().reduction.value;  // proves it clipped
}

void FrameKinds(benchmark::internal::Benchmark* b) {
  b->ArgName("avx2")->Arg(0);
  if (ClipShifter::Widest() == ClipShifter::Vectors::kAvx2) b->Arg(1);
}

void BM_Float32Direct(benchmark::State& state) {
  InProcess<float, Ferrix>(state);
}
void BM_Float32WidenNarrowBaseline(benchmark::State& state) {
  InProcess<float, WidenedFerrix>(state);
}
void BM_Double64(benchmark::State& state) {
  InProcess<double, Ferrix>(state);
}
BENCHMARK(BM_Float32Direct)->Apply(FrameKinds)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Float32WidenNarrowBaseline)->Apply(FrameKinds)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Double64)->Apply(FrameKinds)->Unit(benchmark::kMicrosecond);

// A module file loaded and set up as ferrix-host does before rendering.
template <typename Sample>
void ThroughModule(benchmark::State& state, const char* path, int program) {
  Host host;
  host.SetSampleRate(kRate);
  host.SetBlockSize(kBlock);
  ferrix::host::LoadResult loaded = Plugin::Load(path, host);
  if (!loaded.plugin) {
    state.SkipWithError(loaded.message.c_str());
    return;
  }
  Plugin& plugin = *loaded.plugin;
  plugin.Open();
  plugin.SetSampleRate(kRate);
  plugin.SetBlockSize(kBlock);
  if (program >= 0) plugin.SetProgram(program);
  plugin.SetProcessPrecision(std::is_same_v<Sample, double>);
  plugin.SetMains(true);
  plugin.StartProcess();
  ProcessMusic<Sample>(state, plugin.Effect());
  plugin.StopProcess();
  plugin.SetMains(false);
}

void BM_ModuleFerrixFloat32(benchmark::State& state) {
  ThroughModule<float>(state, FERRIX_MODULE, kBassGrit);
}
void BM_ModuleFerrixDouble64(benchmark::State& state) {
  ThroughModule<double>(state, FERRIX_MODULE, kBassGrit);
}
void BM_ModuleLspLimiterFloat32(benchmark::State& state) {
  ThroughModule<float>(state, kLspLimiter, -1);
}
BENCHMARK(BM_ModuleFerrixFloat32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModuleFerrixDouble64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModuleLspLimiterFloat32)->Unit(benchmark::kMicrosecond);

}  // namespace
