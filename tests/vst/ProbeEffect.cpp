// ProbeEffect: parameters, presets, the one-pole processing and the announced resets.
#include "tests/vst/ProbeEffect.h"

#include "support/RecursiveLock.h"

namespace {

constexpr int32_t kVersion = 0x00010003;
constexpr int32_t kUniqueId = 0x35313476;
constexpr int32_t kMaker = ('V' << 24) | ('d' << 16) | ('q' << 8) | 'x';

}  // namespace

ProbeEffect::ProbeEffect(audioMasterCallback host, const char* channelIO)
    : VstEffect(host, 9, channelIO, "Tessomar", "Morvane", "", kVersion, kUniqueId, kMaker, 0,
                false, false),
      previous_(static_cast<size_t>(NOutputs()), 0.0) {
  GetParam(kGain)->DefineDouble("Gain", 1.0, 0.0, 4.0, 0.01, "x");
  GetParam(kDrive)->DefineDouble("Drive", 5.0, 0.0, 10.0, 0.1, "dB");
  GetParam(kDrive)->SetShape(2.0);
  GetParam(kCeiling)->DefineDouble("Ceiling", 3.0, 0.0, 24.0, 0.1, "dB");
  GetParam(kCeiling)->SetNegateDisplay(true);
  for (int i = 3; i < kBypass; ++i)
    GetParam(i)->DefineDouble("Level", i, -10.0, 10.0, 0.1, "dB");
  GetParam(kBypass)->DefineBool("Bypass", false, "");

  FillEmptyPresets("-", 1);
  AddPreset("Loud", 2.0, 5.0, 3.0, 3.0, 4.0, 5.0, 6.0, 7.0, 0);
  AddPreset("Bypassed", 1.0, 5.0, 3.0, 3.0, 4.0, 5.0, 6.0, 7.0, 1);
}

void ProbeEffect::ResetState() {
  LockGuard guard(Lock());
  previous_.assign(previous_.size(), 0.0);
  ReportProgramChange();
}

void ProbeEffect::HostIdentified() {
  auto controller = [](int number, int32_t value) {
    return MidiMessage{0, 0xB0, static_cast<uint8_t>(number), static_cast<uint8_t>(value)};
  };
  const int32_t version = HostVersion();
  const MidiMessage findings[] = {controller(0, HostKind()), controller(1, version >> 16),
                                  controller(2, (version >> 8) & 0xFF),
                                  controller(3, version & 0xFF)};
  SendMidiList(findings);
}

void ProbeEffect::ProcessBlockDouble(double** inputs, double** outputs, int frames) {
  if (GetParam(kBypass)->Value() >= 0.5) {
    EffectBase::ProcessBlockDouble(inputs, outputs, frames);
    return;
  }
  const double gain = GetParam(kGain)->Value();
  for (int c = 0; c < NOutputs(); ++c) {
    double y = previous_[static_cast<size_t>(c)];
    for (int f = 0; f < frames; ++f) {
      y = gain * inputs[c][f] + 0.5 * y;
      outputs[c][f] = y;
    }
    previous_[static_cast<size_t>(c)] = y;
  }
}
