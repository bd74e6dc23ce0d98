// TestEffect: an EffectBase with the host-binding operations recorded instead of sent, and an
// editor double that records what the plug-in pushes into it.
#pragma once

#include <span>
#include <utility>
#include <vector>

#include "plugin_core/EffectBase.h"
#include "plugin_core/EffectEditor.h"

class TestEffect : public EffectBase {
 public:
  explicit TestEffect(int nParams = 9, const char* channelIO = "1-1 2-2")
      : EffectBase(nParams, channelIO, "Tessomar", "Morvane", "", 0x00010003, 0x35313476,
                   0x56647178, 0, false, false, 0) {}

  void ParamChanged(int index) override {
    EffectBase::ParamChanged(index);
    changed.push_back(index);
  }
  void BeginParamGesture(int) override {}
  void ReportParamValue(int index, double normalized) override {
    reported.emplace_back(index, normalized);
  }
  void EndParamGesture(int) override {}
  void ReportProgramChange() override {}
  int64_t HostSamplePosition() override { return 0; }
  double HostTempo() override { return 0.0; }
  void HostTimeSignature(int*, int*) override {}
  void HostTransport(TransportInfo*) override {}
  void ResizeEditor(int, int) override {}
  bool SendMidi(const MidiMessage* message) override {
    sentMidi.push_back(*message);
    return true;
  }
  bool SendMidiList(std::span<const MidiMessage>) override { return true; }

  std::vector<int> changed;
  std::vector<std::pair<int, double>> reported;
  std::vector<MidiMessage> sentMidi;
};

struct EditorLog {
  std::vector<std::pair<int, double>> controlValues;
  std::vector<std::pair<int, double>> plainParams;
  int prepareCalls = 0;
  bool destroyed = false;
};

class RecordingEditor : public EffectEditor {
 public:
  explicit RecordingEditor(EditorLog* log) : log_(log) {}
  ~RecordingEditor() override { log_->destroyed = true; }
  void SetControlsFromPlugin(int paramIndex, double normalized) override {
    log_->controlValues.emplace_back(paramIndex, normalized);
  }
  void SetParamFromPlugin(int paramIndex, double value, bool normalized) override {
    if (!normalized) log_->plainParams.emplace_back(paramIndex, value);
  }
  void PrepareDrawing() override { ++log_->prepareCalls; }
  int Width() const override { return 640; }
  int Height() const override { return 480; }

 private:
  EditorLog* log_;
};

// Nine parameters: 0..7 doubles on -10..10 with step 0.1 and default i, 8 a switch.
inline void DefineTestParams(EffectBase& effect) {
  for (int i = 0; i < 8; ++i)
    effect.GetParam(i)->DefineDouble("Level", i, -10.0, 10.0, 0.1, "dB");
  effect.GetParam(8)->DefineBool("Bypass", false, "");
}
