// Feeds arbitrary bytes to the plug-in's set-chunk flow, as a bank and as a program, on an
// effect whose parameters and presets look like a real one's.
#include <cstddef>
#include <cstdint>
#include <span>

#include "plugin_core/EffectBase.h"

namespace {

class FuzzEffect : public EffectBase {
 public:
  FuzzEffect()
      : EffectBase(9, "1-1 2-2", "Fuzz", "Fuzz", "", 0x00010003, 0x35313476, 0x56647178, 0, false,
                   false, 0) {
    for (int i = 0; i < 8; ++i)
      GetParam(i)->DefineDouble("Level", 0.0, -44.0, 22.0, 0.1, "dB");
    GetParam(0)->SetShape(0.5);
    GetParam(8)->DefineBool("Bypass", false, "");
    FillEmptyPresets("-", 1);
    AddPreset("Hot", 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, -8.0, 1);
    FillEmptyPresets("Empty", NPresets());
  }
  void BeginParamGesture(int) override {}
  void ReportParamValue(int, double) override {}
  void EndParamGesture(int) override {}
  void ReportProgramChange() override {}
  int64_t HostSamplePosition() override { return 0; }
  double HostTempo() override { return 0.0; }
  void HostTimeSignature(int*, int*) override {}
  void HostTransport(TransportInfo*) override {}
  void ResizeEditor(int, int) override {}
  bool SendMidi(const MidiMessage*) override { return true; }
  bool SendMidiList(std::span<const MidiMessage>) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzEffect effect;
  StateChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));
  effect.ApplyStateChunk(&chunk, true);
  effect.ApplyStateChunk(&chunk, false);
  // What was read must serialise again.
  StateChunk bank;
  effect.BuildStateChunk(&bank, true);
  for (int i = 0; i < effect.NParams(); ++i) {
    const PlugParam* param = effect.GetParam(i);
    if (!(param->Value() >= param->Min() && param->Value() <= param->Max())) __builtin_trap();
  }
  return 0;
}
