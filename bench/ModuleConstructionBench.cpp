// Construction cost of the built Ferrix module as a plug-in scanner sees it: the entry call up to
// a ready record, and the entry up to the close request (with and without a scanner's queries).
// Baseline of the same run: the same for a peer plug-in from Debian (ZaMaximX2, a limiter).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "host/plugin/Host.h"
#include "host/plugin/SharedLibrary.h"
#include "vst/VstAbi.h"

namespace {

using Clock = std::chrono::steady_clock;
using ferrix::host::Host;

const char* const kFerrix = FERRIX_MODULE;
const char* const kPeer = "/usr/lib/vst/ZaMaximX2-vst.so";

// The module stays loaded for the whole benchmark: only the effects come and go.
VstPluginMainProc Entry(const char* path) {
  std::string why;
  void* library = ferrix::host::OpenSharedLibrary(path, why);
  if (!library) return nullptr;
  auto entry =
      reinterpret_cast<VstPluginMainProc>(ferrix::host::FindSharedSymbol(library, "VSTPluginMain"));
  if (!entry)
    entry = reinterpret_cast<VstPluginMainProc>(ferrix::host::FindSharedSymbol(library, "main"));
  return entry;
}

AEffect* Create(VstPluginMainProc entry, Host& host) {
  Host::CreationScope scope(host);
  AEffect* effect = entry(Host::Callback());
  if (effect) effect->user = &host;
  return effect;
}

VstIntPtr Dispatch(AEffect* effect, int32_t opcode, int32_t index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr) {
  return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
}

void Scan(AEffect* effect) {
  char text[256];
  Dispatch(effect, effOpen);
  Dispatch(effect, effGetEffectName, 0, 0, text);
  Dispatch(effect, effGetVendorString, 0, 0, text);
  Dispatch(effect, effGetPlugCategory);
  char feature[] = "receiveVstTimeInfo";
  Dispatch(effect, effCanDo, 0, 0, feature);
}

enum class Until { kRecord, kClose, kScanAndClose };

void Construct(benchmark::State& state, const char* path, Until until) {
  VstPluginMainProc entry = Entry(path);
  if (!entry) {
    state.SkipWithError("module not found");
    return;
  }
  Host host;
  for (auto _ : state) {
    const auto start = Clock::now();
    AEffect* effect = Create(entry, host);
    benchmark::DoNotOptimize(effect);
    if (until == Until::kScanAndClose) Scan(effect);
    if (until != Until::kRecord) Dispatch(effect, effClose);
    const auto end = Clock::now();
    if (until == Until::kRecord) Dispatch(effect, effClose);
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}

void BM_FerrixEntryToRecord(benchmark::State& s) {
  Construct(s, kFerrix, Until::kRecord);
}
void BM_FerrixEntryToClose(benchmark::State& s) {
  Construct(s, kFerrix, Until::kClose);
}
void BM_FerrixScannerRound(benchmark::State& s) {
  Construct(s, kFerrix, Until::kScanAndClose);
}
void BM_BaselinePeerEntryToRecord(benchmark::State& s) {
  Construct(s, kPeer, Until::kRecord);
}
void BM_BaselinePeerEntryToClose(benchmark::State& s) {
  Construct(s, kPeer, Until::kClose);
}
void BM_BaselinePeerScannerRound(benchmark::State& s) {
  Construct(s, kPeer, Until::kScanAndClose);
}

}  // namespace

BENCHMARK(BM_FerrixEntryToRecord)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FerrixEntryToClose)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FerrixScannerRound)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselinePeerEntryToRecord)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselinePeerEntryToClose)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselinePeerScannerRound)->UseManualTime()->Unit(benchmark::kMicrosecond);
