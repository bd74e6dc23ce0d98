// What a file costs in ferrix-host: 30 s of stereo music-like audio streamed through Ferrix (the
// render), against the loudness analysis of the same 30 s (input and output each get one) and
// the plain level meter, all in the same run.
#include <benchmark/benchmark.h>

#include <cmath>

#include "host/audio/AudioSource.h"
#include "host/audio/Render.h"
#include "host/meters/LevelStats.h"
#include "host/meters/Loudness.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"

namespace {

using namespace ferrix::host;

constexpr int kRate = 44100;
constexpr int kSeconds = 30;

// Chords, a bass line and a noisy hit every half second, hot enough to be clipped.
const AudioData& Music() {
  static const AudioData music = [] {
    AudioData a;
    a.sampleRate = kRate;
    a.channels.assign(2, std::vector<double>(kRate * kSeconds));
    uint32_t noise = 1;
    for (size_t i = 0; i < a.channels[0].size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      noise = noise * 1664525u + 1013904223u;
      const double hit = std::exp(-20.0 * std::fmod(t, 0.5)) * ((noise >> 8) / 8388608.0 - 1.0);
      const double tone = 0.5 * std::sin(2 * M_PI * 55 * t) + 0.3 * std::sin(2 * M_PI * 220 * t);
      a.channels[0][i] = 1.2 * (tone + hit);
      a.channels[1][i] = 1.2 * (0.9 * tone + hit);
    }
    return a;
  }();
  return music;
}

void BM_RenderFerrix30s(benchmark::State& state) {
  Host host;
  LoadResult loaded = Plugin::Load(FERRIX_MODULE, host);
  if (!loaded.plugin) {
    state.SkipWithError(loaded.message.c_str());
    return;
  }
  Plugin& plugin = *loaded.plugin;
  plugin.Open();
  plugin.SetSampleRate(kRate);
  plugin.SetBlockSize(512);
  for (auto _ : state) {
    MemorySource source(Music());
    std::string error;
    RenderStream(
        plugin, host, source, RenderSettings{512, false},
        [](const AudioBlock&, const AudioBlock& out, std::string&) {
          benchmark::DoNotOptimize(out.channels[0][0]);
          return true;
        },
        error);
  }
}
BENCHMARK(BM_RenderFerrix30s)->Unit(benchmark::kMillisecond);

template <typename Meter>
void Feed(Meter& meter) {
  MemorySource source(Music());
  AudioBlock block(2, 512);
  while (source.Read(block, 512) > 0)
    meter.Add(block);
}

void BM_Loudness30s(benchmark::State& state) {
  for (auto _ : state) {
    LoudnessMeter meter(2, kRate);
    Feed(meter);
    benchmark::DoNotOptimize(meter.Figures());
  }
}
BENCHMARK(BM_Loudness30s)->Unit(benchmark::kMillisecond);

void BM_LevelMeter30s(benchmark::State& state) {
  for (auto _ : state) {
    LevelMeter meter(2);
    Feed(meter);
    benchmark::DoNotOptimize(meter.Levels());
  }
}
BENCHMARK(BM_LevelMeter30s)->Unit(benchmark::kMillisecond);

}  // namespace
