// StateChunk appends against a plain memcpy of the same bytes (the baseline of the same run).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "support/StateChunk.h"

static void BM_StateChunkPutDoubles(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  StateChunk chunk;
  for (auto _ : state) {
    chunk.Clear();
    for (int i = 0; i < count; ++i)
      chunk.PutDouble(i * 0.5);
    benchmark::DoNotOptimize(chunk.Data());
  }
  state.SetBytesProcessed(state.iterations() * count * 8);
}
BENCHMARK(BM_StateChunkPutDoubles)->Arg(9)->Arg(20 * 9);

static void BM_BaselineMemcpyDoubles(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<double> source(count, 0.5), target(count);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), count * sizeof(double));
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * count * 8);
}
BENCHMARK(BM_BaselineMemcpyDoubles)->Arg(9)->Arg(20 * 9);
